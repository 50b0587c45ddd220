// Runs before the program (linked with --pre-js): fetches the data files into the program folder
// of the memory file system, turns the page's address into the command line, and wires the page's
// own controls (the copy-link button, the layout on resize, the sound after the first press).
(function() {
  var folder = '/varnook/';
  // What the program reads at start. The sounds are fetched by Web Audio when first played, the
  // instructions pages by the browser when opened, another language's dictionary by the engine
  // when a game asks for it.
  var files = ['DEFAULT.DICT', 'ALLPICDATA.BMP', 'fonts/LiberationSans-Regular.ttf', 'fonts/LiberationSans-Bold.ttf',
               'fonts/LiberationSansNarrow-Regular.ttf', 'fonts/LiberationSansNarrow-Bold.ttf',
               'fonts/LiberationSerif-Regular.ttf', 'fonts/LiberationSerif-Bold.ttf'];
  // The downloads start now, beside the program's own; a file that cannot be had stays missing,
  // which the program reports as it does on the desktop.
  var fetched = files.map(function(f) {
    return fetch(f).then(function(r) {
      if (!r.ok) throw new Error(f + ': ' + r.status);
      return r.arrayBuffer();
    });
  });
  Module['preRun'] = Module['preRun'] || [];
  Module['preRun'].push(function() {
    FS.mkdirTree(folder + 'fonts');
    files.forEach(function(f, i) {
      addRunDependency(f);
      fetched[i].then(function(bytes) {
        FS.writeFile(folder + f, new Uint8Array(bytes));
        removeRunDependency(f);
      }, function(e) {
        console.warn('Varnook: ' + e.message);
        removeRunDependency(f);
      });
    });
  });

  // ?puzzle=WxH-SEED (or CODE-WxH-SEED), ?zoom=N and ?language=CODE as the desktop program's
  // --puzzle, --zoom and --language.
  var args = [];
  var query = new URLSearchParams(window.location.search);
  ['puzzle', 'zoom', 'language'].forEach(function(name) {
    if (query.has(name)) args.push('--' + name + '=' + query.get(name));
  });
  Module['arguments'] = args;

  Module['onRuntimeInitialized'] = function() {
    var note = document.getElementById('vn-note');
    if (note) note.hidden = true;
  };

  window.addEventListener('resize', function() { VN.layout(); });
  ['pointerdown', 'keydown', 'touchend'].forEach(function(type) {
    window.addEventListener(type, function() { VN.unlockAudio(); }, true);
  });

  // The address of the puzzle being played, for a friend.
  var copy = document.getElementById('vn-copy');
  if (copy) {
    copy.addEventListener('click', function() {
      var link = location.origin + location.pathname + '?puzzle=' + copy.dataset.puzzle;
      var done = function() {
        copy.textContent = 'Link copied';
        setTimeout(function() { copy.textContent = 'Copy link'; }, 2000);
      };
      if (navigator.clipboard && navigator.clipboard.writeText)
        navigator.clipboard.writeText(link).then(done, function() { window.prompt('The link to this puzzle:', link); });
      else
        window.prompt('The link to this puzzle:', link);
    });
  }
})();
