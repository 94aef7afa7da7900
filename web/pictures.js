// The game's pictures, decoded by the browser: 24-bit BMP, GIF with its transparent colour and
// 8-bit ICO with its mask all come out of createImageBitmap pixel for pixel.

export class Pictures {
  constructor(folder) {
    this.folder = folder;
    this.files = [];
    this.bitmaps = [];
    this.pointers = new Map();
  }

  // Fetches and decodes every picture at once; resolves when all are ready.
  async load(files) {
    this.files = files;
    this.bitmaps = await Promise.all(files.map(async (file) => {
      const response = await fetch(this.folder + file);
      if (!response.ok) throw new Error(`${file}: ${response.status} ${response.statusText}`);
      // No colour management: the pictures' colours are the game's own.
      return createImageBitmap(await response.blob(), { colorSpaceConversion: 'none' });
    }));
  }

  // The decoded picture by the number the game gives it; null for none.
  get(number) {
    return number >= 0 && number < this.bitmaps.length ? this.bitmaps[number] : null;
  }

  // A small canvas showing an icon at `size` CSS pixels, sharp on a dense screen.
  icon(number, size) {
    const canvas = document.createElement('canvas');
    canvas.className = 'icon';
    const bitmap = this.get(number);
    if (!bitmap) return canvas;
    const scale = Math.max(1, Math.ceil(window.devicePixelRatio || 1));
    canvas.width = canvas.height = size * scale;
    const g = canvas.getContext('2d');
    g.imageSmoothingQuality = 'high';
    g.drawImage(bitmap, 0, 0, canvas.width, canvas.height);
    return canvas;
  }

  // An icon as a mouse pointer (CSS cursor), its hot spot in the middle.
  pointer(number) {
    const bitmap = this.get(number);
    if (!bitmap) return '';
    if (!this.pointers.has(number)) {
      const canvas = document.createElement('canvas');
      canvas.width = bitmap.width;
      canvas.height = bitmap.height;
      canvas.getContext('2d').drawImage(bitmap, 0, 0);
      const x = bitmap.width >> 1, y = bitmap.height >> 1;
      this.pointers.set(number, `url(${canvas.toDataURL('image/png')}) ${x} ${y}, auto`);
    }
    return this.pointers.get(number);
  }
}
