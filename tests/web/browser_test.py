"""The web build played in a real, headless Chromium, on the web folder served from 127.0.0.1: the menu
and a dialog, a puzzle opened by its address with a word typed and entered, Save and Exit, the saved
game taken back after a reload, a bad address, damaged storage, and a German puzzle by its address
(its dictionary fetched when the game asks for it, a word typed with ü and ß, its instructions page). The pictures are compared at
chosen pixels with the Linux build's (the snapshot tool's) pictures: text is drawn by another
rasterizer here, so only pixels away from text are compared.
    browser_test.py WEB_FOLDER LINUX_SNAPSHOT_FOLDER LINUX_QX"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cdp  # noqa: E402

STORE_ITEM = "varnook-store"
SAVE_SECTION = "[Software\\Mirrim\\Varnook\\1.0\\SAVE]"
# The puzzle, zoom and word of the Linux snapshot classic_typed_2x.png.
PUZZLE, ZOOM, WORD = "5x4-1", 2, "acme"
# A German puzzle, a word on its board as a German player types it, and as the board spells it.
GERMAN, GERMAN_WORD, GERMAN_SPELLED = "de-5x4-41", "süße", "SÜSSE"

# Picture pixels (at zoom 1) with no text on them, and what each shows.
PLAY_PIXELS = {
    (20, 20): "the side panel",
    (300, 20): "the play area",
    (180, 46): "the word strip's first slot",
    (212, 180): "a tile's corner",
    (215, 200): "a tile's edge",
    (336, 226): "a lit tile's corner",
    (296, 268): "a lit tile's edge",
    (330, 52): "the word strip's free slots",
    (480, 40): "the word list's top",
    (482, 300): "the word list's bottom",
    (200, 425): "the progress bar",
    (605, 430): "the sound button",
    (250, 400): "below the board",
}
MENU_ROWS = range(0, 180)  # the background and the logo above the menu's entries
# The language button's caption in the top right corner, drawn by another rasterizer here.
LANGUAGE_BUTTON = (572 + 2, 12 + 2, 692 - 2, 42 - 2)


def on_language_caption(x, y):
    left, top, right, bottom = LANGUAGE_BUTTON
    return left <= x < right and top <= y < bottom


def fail(message, browser=None):
    print("FAIL: " + message)
    if browser is not None:
        print("console: %s" % browser.console[-10:])
    sys.exit(1)


def shown_canvases(browser):
    return browser.eval("[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length")


def store_text(browser):
    return browser.eval("localStorage.getItem('%s') || ''" % STORE_ITEM)


def saved_values(text):
    """The SAVE key's values in the store's text: name -> the text after "="."""
    values, inside = {}, False
    for line in text.splitlines():
        if line.startswith("["):
            inside = line == SAVE_SECTION
        elif inside and line.startswith('"') and '"=' in line:
            name, value = line[1:].split('"=', 1)
            values[name] = value
    return values


def picture_pixel(pixels, width, zoom, x, y):
    """The canvas colour of picture pixel (x, y) at the zoom (the middle of its block)."""
    i = ((y * zoom + zoom // 2) * width + x * zoom + zoom // 2) * 4
    return tuple(pixels[i:i + 3])


def await_menu(browser, server, query=""):
    browser.navigate(server.url + "index.html" + query)
    browser.wait_for("document.querySelectorAll('canvas').length > 0 && !document.querySelector('canvas').hidden")


def click_picture(browser, x, y, zoom, index=0):
    px, py = browser.canvas_point(x * zoom, y * zoom, index)
    browser.click(px, py)


def message_box_text(browser):
    return browser.eval("document.getElementById('vn-box').hidden ? '' : "
                        "document.querySelector('#vn-box .vn-box-text').textContent")


def linux_board(qx, number):
    """The letters of a puzzle as the Linux build's qx tool makes them, row by row, from the dictionary
    of the number's language (Windows-1252 letters as the characters of those bytes)."""
    parts = number.split("-")
    code, size, seed = parts if len(parts) == 3 else ["en"] + parts
    dictionary = os.path.join(os.path.dirname(qx), "DEFAULT.DICT" if code == "en" else code.upper() + ".DICT")
    out = subprocess.run([qx, "make", "--seed", seed, "--size", size, "--dict", dictionary], check=True,
                         capture_output=True).stdout.decode("latin-1")
    rows = int(size.split("x")[1])
    grid = [line.split() for line in out.splitlines() if line.startswith("  ") and " " in line.strip()]
    return "".join("".join(row) for row in grid[:rows])


def main():
    web, snapshots, qx = sys.argv[1], sys.argv[2], sys.argv[3]
    server = cdp.Server(web)
    browser = cdp.Browser(1600, 1200)
    try:
        run(browser, server, snapshots, qx)
        german(browser, server, qx)
        high_density(server)
        offline(browser, server)
    finally:
        browser.close()
        server.close()
    print("PASS")


def run(browser, server, snapshots, qx):
    # The menu, compared with the Linux build's above its entries.
    await_menu(browser, server, "?zoom=1")
    time.sleep(0.3)
    width, height, pixels = browser.canvas_pixels()
    lw, lh, linux = cdp.read_png(os.path.join(snapshots, "main_menu.png"))
    if (width, height) != (lw, lh):
        fail("the menu is %dx%d, the Linux one %dx%d" % (width, height, lw, lh), browser)
    wrong = [(x, y) for y in MENU_ROWS for x in range(width)
             if not on_language_caption(x, y) and picture_pixel(pixels, width, 1, x, y) != linux[y][x]]
    if wrong:
        fail("%d menu pixels differ from the Linux picture, first at %s" % (len(wrong), wrong[0]), browser)

    # "Instructions" opens the instructions page in a new tab (closed again, the game's in front).
    click_picture(browser, 352, 401, 1)
    deadline = time.time() + 10
    while True:
        tabs = [t for t in browser.call("Target.getTargets")["targetInfos"] if t["url"].endswith("/Varnook.htm")]
        if tabs:
            break
        if time.time() > deadline:
            fail("no tab with the instructions", browser)
        time.sleep(0.1)
    browser.call("Target.closeTarget", targetId=tabs[0]["targetId"])
    browser.call("Page.bringToFront")

    # A game dialog: "Hall of Fame - Classic" opens in front, and its close button closes it; so
    # does "Hall of Fame - Arcade" for a tap.
    for entry_y, press in ((304, browser.click), (353, browser.tap)):
        press(*browser.canvas_point(352, entry_y))
        browser.wait_for("[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length == 2")
        bx, by = browser.eval("""(() => {
            const r = [...document.querySelectorAll('.vn-bar')].find(b => !b.hidden)
                .querySelector('.vn-close').getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2]; })()""")
        browser.click(bx, by)
        browser.wait_for("[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length == 1")

    # A puzzle by its address: its number in the page, the word typed, the picture as Linux's.
    await_menu(browser, server, "?puzzle=%s&zoom=%d" % (PUZZLE, ZOOM))
    browser.wait_for("document.getElementById('vn-puzzle').textContent == 'Puzzle %s'" % PUZZLE)
    if browser.eval("document.getElementById('vn-copy').hidden"):
        fail("no copy link for the puzzle", browser)
    browser.type_text(WORD)
    time.sleep(0.5)
    width, height, pixels = browser.canvas_pixels()
    _, _, linux = cdp.read_png(os.path.join(snapshots, "classic_typed_2x.png"))
    for (x, y), what in PLAY_PIXELS.items():
        got = picture_pixel(pixels, width, ZOOM, x, y)
        want = linux[y * ZOOM + ZOOM // 2][x * ZOOM + ZOOM // 2]
        if got != want:
            fail("%s at (%d, %d) is %s, on Linux %s" % (what, x, y, got, want), browser)

    # Entered, the word scores: the score's pixels change.
    score_box = [(x, y) for y in range(72, 92) for x in range(40, 95)]
    before = [picture_pixel(pixels, width, ZOOM, x, y) for x, y in score_box]
    browser.key("Enter", "Enter", "\r", 13)
    time.sleep(0.5)
    width, height, pixels = browser.canvas_pixels()
    if [picture_pixel(pixels, width, ZOOM, x, y) for x, y in score_box] == before:
        fail("the score did not change when the word was entered", browser)

    # Save and Exit: the game is kept in localStorage with its word, and the page says it has ended.
    click_picture(browser, 66, 472, ZOOM)
    browser.wait_for("!document.getElementById('vn-note').hidden")
    saved = saved_values(store_text(browser))
    if saved.get("FOUNDWORDS") != 'string:"%s,"' % WORD.upper() or saved.get("PUZZLENUMBER") != 'string:"%s\\0"' % PUZZLE:
        fail("the saved game lacks its word or number: %s" % saved, browser)
    # Its letters are the board the Linux engine makes for that number.
    letters = "".join(chr(int(b, 16)) for b in saved.get("BYTE_DATA", "binary:").split(":", 1)[1].split(",") if b)
    if letters != linux_board(qx, PUZZLE):
        fail("the board %r is not the Linux engine's %r" % (letters, linux_board(qx, PUZZLE)), browser)

    # A reload offers the saved game; taken back, it holds its word (saved again to be read).
    await_menu(browser, server, "?zoom=%d" % ZOOM)
    browser.wait_for("[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length == 2")
    time.sleep(0.6)  # a game dialog takes Enter only once it has been up for half a second
    browser.key("Enter", "Enter", "\r", 13)
    browser.wait_for("[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length == 1")
    browser.wait_for("document.getElementById('vn-puzzle').textContent == 'Puzzle %s'" % PUZZLE)
    click_picture(browser, 66, 472, ZOOM)
    browser.wait_for("!document.getElementById('vn-note').hidden")
    again = saved_values(store_text(browser))
    if again.get("FOUNDWORDS") != saved["FOUNDWORDS"] or again.get("SCORE") != saved["SCORE"]:
        fail("the resumed game was saved as %s, not as %s" % (again, saved), browser)

    # A bad address: said in the page, then the menu (no saved game is offered: the store is emptied).
    good = store_text(browser)
    browser.eval("localStorage.clear()")
    browser.navigate(server.url + "index.html?puzzle=9x9-1")
    browser.wait_for("!document.getElementById('vn-box').hidden")
    if "9x9" not in message_box_text(browser):
        fail("the message does not name the bad puzzle: %r" % message_box_text(browser), browser)
    browser.key("Enter", "Enter", "\r", 13)
    browser.wait_for("document.getElementById('vn-box').hidden && shown() == 1".replace(
        "shown()", "[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length"))
    if browser.eval("document.getElementById('vn-puzzle').textContent"):
        fail("a puzzle is played after a bad address", browser)

    # Damaged storage: random bytes, then a cut text. Each starts with a message, then the menu, and
    # what could not be read is kept aside.
    damaged = {"random bytes": "".join(chr((i * 7919 + 13) % 256) for i in range(3000)),
               "a cut text": good[:len(good) // 2]}
    for what, text in damaged.items():
        browser.eval("localStorage.clear()")
        browser.eval("localStorage.setItem('%s', %s)" % (STORE_ITEM, cdp.json.dumps(text)))
        browser.navigate(server.url + "index.html?zoom=1")
        browser.wait_for("!document.getElementById('vn-box').hidden")
        message = message_box_text(browser)
        if "could not be read" not in message:
            fail("%s: no message of damage, but %r" % (what, message), browser)
        browser.key("Enter", "Enter", "\r", 13)
        browser.wait_for("document.getElementById('vn-box').hidden")
        time.sleep(0.3)
        if shown_canvases(browser) != 1:
            fail("%s: no menu after the message" % what, browser)
        kept = browser.eval("Object.keys(localStorage).filter(k => k.startsWith('%s.damaged-'))" % STORE_ITEM)
        if len(kept) != 1 or browser.eval("localStorage.getItem(%s)" % cdp.json.dumps(kept[0])) != text:
            fail("%s: the damaged text was not kept aside (%s)" % (what, kept), browser)


def german(browser, server, qx):
    # The page fetched no German dictionary at start; the engine fetches DE.DICT when the game asks.
    browser.eval("localStorage.clear()")
    await_menu(browser, server, "?puzzle=%s&zoom=1" % GERMAN)
    browser.wait_for("document.getElementById('vn-puzzle').textContent == 'Puzzle %s'" % GERMAN)
    # "Instructions" on the side panel: the German instructions page, in a new tab.
    click_picture(browser, 66, 352, 1)
    deadline = time.time() + 10
    while not [t for t in browser.call("Target.getTargets")["targetInfos"] if t["url"].endswith("/Varnook-de.htm")]:
        if time.time() > deadline:
            fail("\"Instructions\" on a German board opened no Varnook-de.htm", browser)
        time.sleep(0.1)
    for tab in browser.call("Target.getTargets")["targetInfos"]:
        if tab["url"].endswith("/Varnook-de.htm"):
            browser.call("Target.closeTarget", targetId=tab["targetId"])
    browser.call("Page.bringToFront")
    for ch in GERMAN_WORD:  # keys of a German keyboard: ü and ß have keys of their own
        browser.key(ch, None, ch)
    browser.key("Enter", "Enter", "\r", 13)
    time.sleep(0.5)
    click_picture(browser, 66, 472, 1)
    browser.wait_for("!document.getElementById('vn-note').hidden")
    saved = saved_values(store_text(browser))
    letters = "".join(chr(int(b, 16)) for b in saved.get("BYTE_DATA", "binary:").split(":", 1)[1].split(",") if b)
    if letters.lower() != linux_board(qx, GERMAN):
        fail("the German board %r is not the Linux engine's %r" % (letters, linux_board(qx, GERMAN)), browser)
    spelled = "".join(c if ord(c) < 128 else "\\x%02x" % ord(c) for c in GERMAN_SPELLED)
    if saved.get("FOUNDWORDS") != 'string:"%s,"' % spelled:
        fail("%s typed on %s was saved as %s, not %s" % (GERMAN_WORD, GERMAN, saved.get("FOUNDWORDS"), spelled),
             browser)


def high_density(server):
    """On a screen of 2 device pixels per CSS pixel the picture takes one canvas pixel per device
    pixel (crisp), and a press still lands on the entry under it."""
    browser = cdp.Browser(1000, 800, scale=2)
    try:
        await_menu(browser, server, "")
        css_width, width = browser.eval("(() => { const c = document.querySelector('canvas');"
                                        " return [c.getBoundingClientRect().width, c.width]; })()")
        if width != 2 * css_width or width % 704 != 0:
            fail("at 2 device pixels per CSS pixel the canvas is %s pixels shown as %s" % (width, css_width), browser)
        click_picture(browser, 352, 304, width // 704)
        browser.wait_for("[...document.querySelectorAll('canvas')].filter(c => !c.hidden).length == 2")
    finally:
        browser.close()


def offline(browser, server):
    """The page can be installed as an app; once the service worker has kept the files, the game
    starts with the server gone."""
    await_menu(browser, server, "?zoom=1")
    browser.wait_for("navigator.serviceWorker.controller !== null && caches.keys().then(k => k.length == 1)")
    errors = browser.call("Page.getInstallabilityErrors")["installabilityErrors"]
    if errors:
        fail("the page cannot be installed: %s" % errors, browser)
    browser.eval("localStorage.clear()")
    server.close()
    # Addresses never loaded before, so that no browser cache but the service worker's can answer.
    await_menu(browser, server, "?zoom=1&offline")
    time.sleep(0.3)
    if shown_canvases(browser) != 1:
        fail("no menu offline", browser)
    browser.navigate(server.url + "?offline")
    browser.wait_for("document.querySelectorAll('canvas').length > 0 && !document.querySelector('canvas').hidden")
    time.sleep(0.3)
    if shown_canvases(browser) != 1:
        fail("no menu offline", browser)


if __name__ == "__main__":
    main()
