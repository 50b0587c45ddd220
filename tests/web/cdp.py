"""A headless Chromium driven through the DevTools protocol, and the web folder served on 127.0.0.1:
what the browser test and the web benchmark share. Uses the system's chromium and python3-websocket."""
import base64
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket

CHROMIUM = os.environ.get("VARNOOK_CHROMIUM", "/usr/bin/chromium")


class Server:
    """The folder over HTTP on 127.0.0.1 at a free port, in a thread, until close()."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.httpd = _QuietServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        if self.httpd is not None:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None


class _QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a browser closed while it was still fetching: nothing to report


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".webmanifest": "application/manifest+json", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class Browser:
    """A headless Chromium with a fresh profile; page() is its one tab."""

    def __init__(self, width=1280, height=900, scale=1):
        self.profile = tempfile.mkdtemp(prefix="varnook-chromium-")
        args = [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--user-data-dir=" + self.profile, "--remote-debugging-port=0",
                "--window-size=%d,%d" % (width, height), "--force-device-scale-factor=%g" % scale,
                "--autoplay-policy=no-user-gesture-required", "about:blank"]
        self.process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + 30
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.time() > deadline or self.process.poll() is not None:
                self.close()
                raise RuntimeError("chromium did not start")
            time.sleep(0.05)
        port = int(open(port_file).read().split()[0])
        targets = json.load(urllib.request.urlopen("http://127.0.0.1:%d/json" % port))
        page = next(t for t in targets if t["type"] == "page")
        self.ws = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60)
        self.next_id = 0
        self.console = []
        self.call("Page.enable")
        self.call("Runtime.enable")

    def close(self):
        try:
            self.ws.close()
        except Exception:
            pass
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def call(self, method, **params):
        self.next_id += 1
        my_id = self.next_id
        self.ws.send(json.dumps({"id": my_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == my_id:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self._event(message)

    def _event(self, message):
        if message.get("method") == "Runtime.consoleAPICalled":
            args = message["params"]["args"]
            self.console.append(" ".join(str(a.get("value", a.get("description", ""))) for a in args))
        elif message.get("method") == "Runtime.exceptionThrown":
            self.console.append("exception: " + json.dumps(message["params"]["exceptionDetails"])[:500])

    def navigate(self, url):
        self.call("Page.navigate", url=url)

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=30):
        """Waits until the page's expression is true; returns the seconds it took."""
        start = time.time()
        while time.time() - start < timeout:
            try:
                if self.eval(expression):
                    return time.time() - start
            except RuntimeError:
                pass  # the page is between two documents
            time.sleep(0.05)
        raise TimeoutError("the page never had %s; console: %s" % (expression, self.console[-10:]))

    def screenshot(self):
        """The viewport as PNG bytes."""
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])

    def canvas_pixels(self, index=0):
        """The picture of the page's index-th shown canvas: (width, height, RGBA bytes)."""
        data = self.eval("""(() => { const c = [...document.querySelectorAll('canvas')].filter(c => !c.hidden)[%d];
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height);
            let text = '';
            for (let i = 0; i < d.data.length; i += 8192)
                text += String.fromCharCode.apply(null, d.data.subarray(i, i + 8192));
            return [c.width, c.height, btoa(text)]; })()""" % index)
        return data[0], data[1], base64.b64decode(data[2])

    def canvas_point(self, x, y, index=0):
        """The page position of a device pixel of the index-th shown canvas."""
        return self.eval("""(() => { const c = [...document.querySelectorAll('canvas')].filter(c => !c.hidden)[%d];
            const r = c.getBoundingClientRect();
            return [r.left + (%f + 0.5) * r.width / c.width, r.top + (%f + 0.5) * r.height / c.height]; })()"""
                         % (index, x, y))

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      buttons=1 if kind == "mousePressed" else 0, clickCount=1)

    def tap(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def drag(self, points):
        """Presses at the first point, moves through the others and releases at the last."""
        x, y = points[0]
        self.call("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", buttons=1, clickCount=1)
        for x, y in points[1:]:
            self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y, button="left", buttons=1)
        self.call("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y, button="left", buttons=0, clickCount=1)

    def key(self, key, code=None, text=None, key_code=0):
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code or key,
                "windowsVirtualKeyCode": key_code}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code or key, windowsVirtualKeyCode=key_code)

    def type_text(self, text):
        for ch in text:
            self.key(ch, "Key" + ch.upper(), ch, ord(ch.upper()))


def read_png(path):
    """An 8-bit RGB or RGBA PNG without interlace (as the snapshot writer makes them): (width, height,
    rows of (r, g, b) tuples)."""
    import struct
    import zlib
    data = open(path, "rb").read()
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, colour = header[:4]
    if depth != 8 or colour not in (2, 6):
        raise ValueError("%s: not an 8-bit RGB(A) PNG" % path)
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * bpp
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prior[i]
            c = prior[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        prior = line
    return width, height, rows
