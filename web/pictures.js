// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game's pictures, decoded by the browser pixel for pixel: 24-bit BMP, GIF with its
// transparent colour, 8-bit ICO with its mask.

// Where the browser has them, image decoders read a BMP or GIF straight from the pack's bytes;
// createImageBitmap would want each as a Blob, and making 26 of those keeps the page's thread
// busy for tens of milliseconds while the game is starting. ICO has no image decoder.
const kDecoderTypes = { bmp: 'image/bmp', gif: 'image/gif' };

async function decode(name, bytes) {
  const type = kDecoderTypes[name.slice(name.lastIndexOf('.') + 1)];
  // No colour management: the pictures' colours are the game's own.
  if (type && typeof ImageDecoder === 'function' && await ImageDecoder.isTypeSupported(type)) {
    const decoder = new ImageDecoder({ data: bytes, type, colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    try {
      const { image } = await decoder.decode();
      try {
        return await createImageBitmap(image);
      } finally {
        image.close();
      }
    } finally {
      decoder.close();
    }
  }
  return createImageBitmap(new Blob([bytes]), { colorSpaceConversion: 'none' });
}

// The pictures come in one pack (web/pack_pictures.py): a 4-byte little-endian length, that many
// bytes of JSON listing {name, offset, length}, then the files' bytes as they are.
async function unpack(response) {
  if (!response.ok) throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
  const buffer = await response.arrayBuffer();
  const headerLength = new DataView(buffer).getUint32(0, true);
  const index = JSON.parse(new TextDecoder().decode(new Uint8Array(buffer, 4, headerLength)));
  const data = 4 + headerLength;
  const bitmaps = await Promise.all(index.map(({ name, offset, length }) =>
    decode(name, new Uint8Array(buffer, data + offset, length))));
  return new Map(index.map(({ name }, i) => [name, bitmaps[i]]));
}

export class Pictures {
  // pack: the fetch of the pictures' pack, under way since the page began.
  constructor(pack) {
    this.decoded = pack.then(unpack);
    this.decoded.catch(() => {});  // reported by load
    this.bitmaps = [];
    this.pointers = new Map();
  }

  // The game's pictures by file name, numbered in the order given; resolves when all are ready.
  async load(files) {
    const decoded = await this.decoded;
    this.bitmaps = files.map((file) => {
      if (!decoded.has(file)) throw new Error(`${file}: not among the pictures`);
      return decoded.get(file);
    });
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
