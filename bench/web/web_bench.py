"""The web build's targets, measured: the page's weight (gzip), the time from navigation to the menu in
headless Chromium (median of 5, a fresh profile each, so always a first visit) and the engine's
speed under node against the native engine on bench_engine's board set.
    web_bench.py WEB_FOLDER NATIVE_BUILD WEB_CMAKE_BUILD"""
import gzip
import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
import cdp  # noqa: E402

PAGE_LIMIT_BYTES = 1.5 * 1024 * 1024
MENU_LIMIT_MS = 1000
ENGINE_LIMIT_RATIO = 2.0


def gzip_size(path):
    return len(gzip.compress(open(path, "rb").read(), 6))


def page_weight(web):
    """The files a first visit downloads: what the page asks for at start, and with them what the
    service worker keeps for offline play (the files of its list)."""
    fonts = sorted(f for f in os.listdir(os.path.join(web, "fonts")) if f.endswith(".ttf"))
    start = ["index.html", "varnook.js", "varnook.wasm", "manifest.webmanifest", "sw.js",
             "icons/hicolor/192x192/apps/varnook.png", "DEFAULT.DICT", "ALLPICDATA.BMP"] + ["fonts/" + f for f in fonts]
    cached = re.search(r"const FILES = \[(.*)\];", open(os.path.join(web, "sw.js")).read()).group(1)
    offline = sorted(set(start) | set(re.findall(r'"([^"]+)"', cached)))
    sizes = {f: gzip_size(os.path.join(web, f)) for f in start}
    return sizes, sum(gzip_size(os.path.join(web, f)) for f in offline)


def menu_times(web, runs=5):
    server = cdp.Server(web)
    times = []
    try:
        for _ in range(runs):
            browser = cdp.Browser(1280, 900)
            try:
                browser.navigate(server.url + "index.html")
                browser.wait_for("window.Module && Module.firstPictureMs !== undefined")
                times.append(browser.eval("Module.firstPictureMs"))
            finally:
                browser.close()
    finally:
        server.close()
    return times


def engine_times(command):
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    return {line.rsplit(" ", 1)[0]: float(line.rsplit(" ", 1)[1]) for line in out.splitlines()}


def main():
    web, native, web_cmake = sys.argv[1:4]
    ok = True

    files, offline = page_weight(web)
    total = sum(files.values())
    print("Page weight, gzip -6 (what the page fetches at start):")
    for name, size in sorted(files.items(), key=lambda f: -f[1]):
        print("  %-40s %9d" % (name, size))
    print("  %-40s %9d  (%.2f MB, target < 1.5 MB)" % ("total", total, total / 1024 / 1024))
    print("  %-40s %9d  (the service worker's offline copy included)" % ("total with the offline copy", offline))
    ok &= total < PAGE_LIMIT_BYTES

    times = menu_times(web)
    median = statistics.median(times)
    print("Navigation to the menu drawn, headless Chromium: %s ms; median %.0f ms (target < %d)"
          % (", ".join("%.0f" % t for t in times), median, MENU_LIMIT_MS))
    ok &= median < MENU_LIMIT_MS

    dictionary = os.path.join(native, "bin", "DEFAULT.DICT")
    # The machine may be shared: both tools run in turn three times, and each measure keeps its best.
    native_t, web_t = {}, {}
    for _ in range(3):
        for times, command in ((native_t, [os.path.join(native, "bench", "web", "engine_timing"), dictionary]),
                               (web_t, ["node", os.path.join(web_cmake, "engine_timing.js"), dictionary])):
            for name, t in engine_times(command).items():
                times[name] = min(t, times.get(name, t))
    print("Engine, ms per puzzle or board (best of 3 x 3 runs, taken in turn):")
    print("  %-24s %10s %10s %8s" % ("", "native", "wasm/node", "ratio"))
    for name in native_t:
        ratio = web_t[name] / native_t[name]
        print("  %-24s %10.4f %10.4f %7.2fx" % (name, native_t[name], web_t[name], ratio))
        ok &= ratio < ENGINE_LIMIT_RATIO
    print("All targets met" if ok else "A target was missed")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
