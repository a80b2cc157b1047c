// The control's logo, drawn on a canvas from its 4-bit bitmap: no image URL, so a page's
// Content-Security-Policy needs no img-src for it.
import { logoBitmapHex } from "./logo_bitmap.js";

let pixels = null;

// The bitmap's pixels as image data, decoded once: a BITMAPINFOHEADER, 16 palette entries of
// blue, green, red and a spare byte, then the rows from the bottom up, each padded to 4 bytes.
function logoPixels() {
    if (pixels)
        return pixels;
    const bytes = Uint8Array.from(logoBitmapHex.match(/../g), (pair) => parseInt(pair, 16));
    const view = new DataView(bytes.buffer);
    const dataOffset = view.getUint32(10, true);
    const width = view.getInt32(18, true);
    const height = view.getInt32(22, true);
    const paletteOffset = 14 + view.getUint32(14, true);
    const rowBytes = Math.ceil(width / 8) * 4;
    pixels = new ImageData(width, height);
    for (let y = 0; y < height; y++) {
        const row = dataOffset + (height - 1 - y) * rowBytes;
        for (let x = 0; x < width; x++) {
            const pair = bytes[row + (x >> 1)];
            const entry = paletteOffset + 4 * (x & 1 ? pair & 0x0f : pair >> 4);
            pixels.data.set([bytes[entry + 2], bytes[entry + 1], bytes[entry], 255],
                             4 * (y * width + x));
        }
    }
    return pixels;
}

// Draws the logo on the canvas, at its own size.
export function drawLogo(canvas) {
    const image = logoPixels();
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.getContext("2d").putImageData(image, 0, 0);
}
