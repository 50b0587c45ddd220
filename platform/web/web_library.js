// The browser side of the web back end (linked with --js-library): the game's windows as canvases
// in the page, the message box, the wait for the next event, the store in localStorage, sound
// through Web Audio and pages in new tabs. Each function's C signature is in the comment above it
// (and in web_js.h).
mergeInto(LibraryManager.library, {
  $VN: {
    windows: {},   // id -> {canvas, ctx, bar, main, shown}
    order: [],     // ids in the order the windows were made
    wake: null,    // ends the js_wait in progress
    boxOpen: false,
    audio: null,   // the AudioContext, made at the player's first press
    buffers: {},   // decoded sounds by file name
    source: null,  // the sound playing
    soundSerial: 0,

    dpr: function() { return window.devicePixelRatio || 1; },
    header: function() { return document.getElementById('vn-header'); },
    // Lengths in CSS pixels that fall on whole device pixels, so that the pictures stay crisp.
    snap: function(css) { var d = VN.dpr(); return Math.round(css * d) / d; },

    // Places every shown window: the main one centred under the header, dialogs centred in front.
    layout: function() {
      var d = VN.dpr();
      var top = VN.snap(VN.header().getBoundingClientRect().bottom);
      var roomW = window.innerWidth, roomH = window.innerHeight - top;
      VN.order.forEach(function(id, i) {
        var w = VN.windows[id];
        if (!w.shown) return;
        var cw = w.canvas.width / d, ch = w.canvas.height / d;
        w.canvas.style.width = cw + 'px';
        w.canvas.style.height = ch + 'px';
        var barH = w.main ? 0 : VN.snap(22);
        var left = VN.snap(Math.max(0, (roomW - cw) / 2));
        var y = w.main ? top : top + VN.snap(Math.max(0, (roomH - ch - barH) / 2));
        w.canvas.style.left = left + 'px';
        w.canvas.style.top = (y + barH) + 'px';
        w.canvas.style.zIndex = 10 + 2 * i;
        if (!w.main) {
          w.bar.style.left = left + 'px';
          w.bar.style.top = y + 'px';
          w.bar.style.width = cw + 'px';
          w.bar.style.height = barH + 'px';
          w.bar.style.zIndex = 11 + 2 * i;
        }
      });
    },

    // The puzzle's number in the main window's caption (with its language's code before it when the
    // board is not English), shown in the header with its link.
    showPuzzle: function(caption) {
      var m = /\b((?:[a-z]{2}-)?\d+x\d+-\d+)\b/.exec(caption);
      var label = document.getElementById('vn-puzzle');
      var copy = document.getElementById('vn-copy');
      if (!label || !copy) return;
      label.textContent = m ? 'Puzzle ' + m[1] : '';
      copy.hidden = !m;
      copy.dataset.puzzle = m ? m[1] : '';
    },

    playBuffer: function(buffer) {
      VN.stopSound();
      var s = VN.audio.createBufferSource();
      s.buffer = buffer;
      s.connect(VN.audio.destination);
      s.start();
      VN.source = s;
    },

    stopSound: function() {
      if (VN.source) {
        try { VN.source.stop(); } catch (e) {}
        VN.source = null;
      }
    },

    // Browsers let a page make sound only after a press: the audio starts with the first one.
    unlockAudio: function() {
      if (VN.audio) return;
      var Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return;
      VN.audio = new Context();
      if (VN.audio.state === 'suspended') VN.audio.resume();
    },

    closeBox: function() {
      var box = document.getElementById('vn-box');
      if (box) box.hidden = true;
      VN.boxOpen = false;
      _js_wake();
    },
  },

  // void js_wait(double ms);
  js_wait__deps: ['$VN'],
  js_wait: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      var done = false;
      var timer = 0;
      var go = function() {
        if (done) return;
        done = true;
        VN.wake = null;
        clearTimeout(timer);
        wakeUp();
      };
      timer = setTimeout(go, Math.max(0, ms));
      VN.wake = go;
    });
  },

  // void js_wake(void);
  js_wake__deps: ['$VN'],
  js_wake: function() {
    // Never from inside the call that queued the event: the program resumes on the next turn.
    var wake = VN.wake;
    if (wake) Promise.resolve().then(wake);
  },

  // void js_window_create(int id);
  js_window_create__deps: ['$VN'],
  js_window_create: function(id) {
    var desk = document.getElementById('vn-desk');
    var canvas = document.createElement('canvas');
    canvas.className = 'vn-canvas';
    canvas.hidden = true;
    var bar = document.createElement('div');
    bar.className = 'vn-bar';
    bar.hidden = true;
    var title = document.createElement('span');
    var close = document.createElement('button');
    close.className = 'vn-close';
    close.textContent = '\u00d7';
    close.title = 'Close';
    close.addEventListener('click', function() { Module['_vn_close_request'](id); });
    bar.appendChild(title);
    bar.appendChild(close);
    desk.appendChild(bar);
    desk.appendChild(canvas);
    var main = VN.order.length === 0;
    VN.windows[id] = {canvas: canvas, ctx: canvas.getContext('2d'), bar: bar, title: title, main: main, shown: false};
    VN.order.push(id);
  },

  // void js_window_caption(int id, const char* caption);
  js_window_caption__deps: ['$VN'],
  js_window_caption: function(id, caption) {
    var w = VN.windows[id];
    if (!w) return;
    var text = UTF8ToString(caption);
    w.title.textContent = text;
    if (w.main) {
      document.title = text;
      var cap = document.getElementById('vn-caption');
      if (cap) cap.textContent = text;
      VN.showPuzzle(text);
    }
  },

  // void js_window_show(int id, int visible);
  js_window_show__deps: ['$VN'],
  js_window_show: function(id, visible) {
    var w = VN.windows[id];
    if (!w) return;
    w.shown = !!visible;
    w.canvas.hidden = !visible;
    w.bar.hidden = !visible || w.main;
    VN.layout();
  },

  // void js_window_present(int id, const uint32_t* rgba, int w, int h);
  js_window_present__deps: ['$VN'],
  js_window_present: function(id, rgba, width, height) {
    var w = VN.windows[id];
    if (!w || width <= 0 || height <= 0) return;
    var resized = w.canvas.width !== width || w.canvas.height !== height;
    if (resized) {
      w.canvas.width = width;
      w.canvas.height = height;
    }
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    w.ctx.putImageData(new ImageData(pixels, width, height), 0, 0);
    if (resized) VN.layout();
    // When the first picture came, in ms from the start of the page's navigation (for the benchmark).
    if (Module['firstPictureMs'] === undefined) Module['firstPictureMs'] = performance.now();
  },

  // void js_window_destroy(int id);
  js_window_destroy__deps: ['$VN'],
  js_window_destroy: function(id) {
    var w = VN.windows[id];
    if (!w) return;
    w.canvas.remove();
    w.bar.remove();
    delete VN.windows[id];
    VN.order = VN.order.filter(function(x) { return x !== id; });
  },

  // int js_window_point(int id, double x, double y, double* out);
  js_window_point__deps: ['$VN'],
  js_window_point: function(id, x, y, out) {
    var w = VN.windows[id];
    if (!w || !w.shown) return 0;
    var r = w.canvas.getBoundingClientRect();
    if (r.width <= 0 || r.height <= 0) return 0;
    var px = (x - r.left) * w.canvas.width / r.width;
    var py = (y - r.top) * w.canvas.height / r.height;
    HEAPF64[out >> 3] = px;
    HEAPF64[(out >> 3) + 1] = py;
    return px >= 0 && py >= 0 && px < w.canvas.width && py < w.canvas.height ? 1 : 0;
  },

  // void js_viewport(int* size);
  js_viewport__deps: ['$VN'],
  js_viewport: function(size) {
    var d = VN.dpr();
    var top = VN.header().getBoundingClientRect().bottom;
    HEAP32[size >> 2] = Math.floor(window.innerWidth * d);
    HEAP32[(size >> 2) + 1] = Math.floor(Math.max(0, window.innerHeight - top) * d);
  },

  // void js_message_box(const char* caption, const char* text);
  js_message_box__deps: ['$VN'],
  js_message_box: function(caption, text) {
    var box = document.getElementById('vn-box');
    box.querySelector('.vn-box-caption').textContent = UTF8ToString(caption);
    box.querySelector('.vn-box-text').textContent = UTF8ToString(text);
    var ok = box.querySelector('button');
    ok.onclick = VN.closeBox;
    box.hidden = false;
    VN.boxOpen = true;
    ok.focus();
  },

  // int js_message_box_open(void);
  js_message_box_open__deps: ['$VN'],
  js_message_box_open: function() { return VN.boxOpen ? 1 : 0; },

  // void js_message_box_close(void);
  js_message_box_close__deps: ['$VN'],
  js_message_box_close: function() { VN.closeBox(); },

  // void js_page_ended(void);
  js_page_ended: function() {
    var note = document.getElementById('vn-note');
    note.innerHTML = '';
    note.appendChild(document.createTextNode('Varnook has ended. '));
    var again = document.createElement('a');
    again.href = location.pathname;
    again.textContent = 'Play again';
    note.appendChild(again);
    note.hidden = false;
  },

  // int js_store_size(const char* key);
  js_store_size: function(key) {
    try {
      var v = window.localStorage.getItem(UTF8ToString(key));
      return v === null ? -1 : v.length;
    } catch (e) {
      return -1;
    }
  },

  // void js_store_read(const char* key, char* bytes);
  js_store_read: function(key, bytes) {
    var v = '';
    try { v = window.localStorage.getItem(UTF8ToString(key)) || ''; } catch (e) {}
    // One byte per character; a character beyond a byte cannot come from the game's own writer.
    for (var i = 0; i < v.length; ++i) {
      var c = v.charCodeAt(i);
      HEAPU8[bytes + i] = c < 256 ? c : 0x3F;
    }
  },

  // int js_store_write(const char* key, const char* bytes, int size);
  js_store_write: function(key, bytes, size) {
    var parts = [];
    for (var i = 0; i < size; i += 4096) {
      parts.push(String.fromCharCode.apply(null, HEAPU8.subarray(bytes + i, bytes + Math.min(size, i + 4096))));
    }
    try {
      window.localStorage.setItem(UTF8ToString(key), parts.join(''));
      return 1;
    } catch (e) {
      return 0;
    }
  },

  // void js_sound_play(const char* name);
  js_sound_play__deps: ['$VN'],
  js_sound_play: function(name) {
    if (!VN.audio) return;
    var file = UTF8ToString(name);
    var serial = ++VN.soundSerial;
    VN.stopSound();
    if (VN.buffers[file]) {
      VN.playBuffer(VN.buffers[file]);
      return;
    }
    fetch(file).then(function(r) {
      if (!r.ok) throw new Error(file);
      return r.arrayBuffer();
    }).then(function(b) {
      return VN.audio.decodeAudioData(b);
    }).then(function(buffer) {
      VN.buffers[file] = buffer;
      // Only while no newer sound was asked for.
      if (serial === VN.soundSerial) VN.playBuffer(buffer);
    }).catch(function() {});
  },

  // void js_sound_stop(void);
  js_sound_stop__deps: ['$VN'],
  js_sound_stop: function() {
    ++VN.soundSerial;
    VN.stopSound();
  },

  // int js_fetch_file(const char* name, const char* path);
  js_fetch_file: function(name, path) {
    var file = UTF8ToString(name), target = UTF8ToString(path);
    return Asyncify.handleSleep(function(wakeUp) {
      fetch(file).then(function(r) {
        if (!r.ok) throw new Error(file + ': ' + r.status);
        return r.arrayBuffer();
      }).then(function(bytes) {
        FS.writeFile(target, new Uint8Array(bytes));
        wakeUp(1);
      }, function(e) {
        console.warn('Varnook: ' + e.message);
        wakeUp(0);
      });
    });
  },

  // int js_open(const char* name);
  js_open: function(name) {
    var tab = window.open(UTF8ToString(name), '_blank');
    return tab ? 1 : 0;
  },
});
