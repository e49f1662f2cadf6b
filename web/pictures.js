// How the page's game reads a picture: in place of emscripten's own IMG_Load_RW, linked in with
// --js-library. Each SDL surface there is a canvas. emscripten's reader decodes a picture with
// stb_image, copies it into the canvas byte by byte, then reads the canvas back into the
// surface's pixels; reading a canvas back is slow, and start-up reads some 270 pictures. This
// one has stb_image give the pixels as the canvas holds them, four bytes each, puts them on the
// canvas once and keeps them as the surface's pixels, as they are (its pixels and its canvas
// agree, as after a lock: pictures_web.cpp keys a picture without reading it back). A picture
// the browser has decoded by then (the title's large ones, which index.html has decoded and
// hands over in Module.preloadedImages) is drawn from that instead; its pixels are read back
// only when it is locked.
mergeInto(LibraryManager.library, {
  IMG_Load_RW__deps: ['$SDL', '$FS', '$PATH_FS', 'SDL_FreeRW', 'malloc', 'free'],
  IMG_Load_RW__proxy: 'sync',
  IMG_Load_RW__sig: 'iii',
  IMG_Load_RW: function(rwopsID, freeSrc) {
    var rwops = SDL.rwops[rwopsID];
    if (!rwops) return 0;
    try {
      var name = rwops.filename === undefined ? 'memory' : PATH_FS.resolve(rwops.filename);
      var decoded = rwops.filename === undefined ? null : Module['preloadedImages'][name];
      // Read once: a decoding that arrives later is not kept.
      if (Module['freePreloadedMediaOnUse'] && rwops.filename !== undefined) Module['preloadedImages'][name] = null;
      if (decoded) {
        var surface = SDL.makeSurface(decoded.width, decoded.height, 0, false, 'load:' + name);
        var canvas = SDL.surfaces[surface].ctx;
        canvas.globalCompositeOperation = 'copy';
        canvas.drawImage(decoded, 0, 0);
        canvas.globalCompositeOperation = 'source-over';
        return surface;
      }
      // A file is read whole at once, rather than by stb_image's many small reads, each a call
      // out of the program.
      var sizes = _malloc(12);
      var pixels = 0, file = 0;
      try {
        if (rwops.filename === undefined) {
          pixels = Module['_stbi_load_from_memory'](rwops.bytes, rwops.count, sizes, sizes + 4, sizes + 8, 4);
        } else {
          var contents;
          try {
            contents = FS.readFile(name);
          } catch (e) {
            return 0;  // the game has just opened it: nothing else to tell
          }
          file = _malloc(contents.length);
          HEAPU8.set(contents, file);
          pixels = Module['_stbi_load_from_memory'](file, contents.length, sizes, sizes + 4, sizes + 8, 4);
        }
        if (!pixels) return 0;
        var width = HEAP32[sizes >> 2], height = HEAP32[(sizes >> 2) + 1], bytes = width * height * 4;
        var surface = SDL.makeSurface(width, height, 0, false, 'load:' + name);
        var held = SDL.surfaces[surface];
        HEAPU8.copyWithin(held.buffer, pixels, pixels + bytes);
        held.image = held.ctx.createImageData(width, height);
        held.image.data.set(HEAPU8.subarray(pixels, pixels + bytes));
        held.ctx.putImageData(held.image, 0, 0);
        return surface;
      } finally {
        if (pixels) Module['_stbi_image_free'](pixels);
        _free(file);
        _free(sizes);
      }
    } finally {
      if (freeSrc) _SDL_FreeRW(rwopsID);
    }
  },
});
