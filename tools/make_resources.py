#!/usr/bin/python3
"""Draws the pictures in resources/: GIF for the .gif files, PNG for the rest.

Called by tools/make_resources.sh, which copies them into place under
their final names.  Needs python3-numpy and python3-pil.

    make_resources.py EARTH_MAP OUT_DIR

Every random choice comes from a fixed seed, so a rerun gives the same bytes.
"""

import sys

import numpy as np
from PIL import Image


def save_png(arr, path):
    """Rounds a float RGB(A) array in 0..255 to 8 bits and writes a plain PNG."""
    a = np.clip(np.rint(arr), 0, 255).astype(np.uint8)
    mode = "RGBA" if a.shape[2] == 4 else "RGB"
    Image.fromarray(a, mode).save(path, optimize=True)


def save_gif(arr, path):
    """Writes a 256-colour GIF.

    Median cut refined by a few k-means passes, then Floyd-Steinberg
    dithering: this keeps the long sky gradients free of bands and dots.
    """
    a = np.clip(np.rint(arr), 0, 255).astype(np.uint8)
    img = Image.fromarray(a, "RGB")
    q = img.quantize(256, method=Image.Quantize.MEDIANCUT, kmeans=3,
                     dither=Image.Dither.FLOYDSTEINBERG)
    q.save(path, format="GIF")


def value_noise(rng, h, w, cells):
    """Smooth noise in about -1..1: a coarse random grid enlarged bicubically."""
    grid = rng.random((cells + 3, cells + 3)).astype(np.float32)
    img = Image.fromarray(grid, "F").resize((w + 2 * w // cells, h + 2 * h // cells),
                                            Image.BICUBIC)
    big = np.asarray(img)
    oy, ox = h // cells, w // cells
    return (big[oy:oy + h, ox:ox + w] - 0.5) * 2.0


def fractal_noise(rng, h, w, base_cells, octaves):
    total = np.zeros((h, w), np.float32)
    amp, norm, cells = 1.0, 0.0, base_cells
    for _ in range(octaves):
        total += amp * value_noise(rng, h, w, cells)
        norm += amp
        amp *= 0.5
        cells *= 2
    return total / norm


def add_stars(img, rng, count, y_weight=None, max_level=1.0, tints=True, crosses=True):
    """Adds single-pixel stars (a few with a faint cross) additively.

    y_weight(y) scales each star's brightness, so stars can thin out lower down.
    """
    h, w, _ = img.shape
    for _ in range(count):
        x = int(rng.integers(0, w))
        y = int(rng.integers(0, h))
        # Mostly faint stars, seldom a brighter one, as in a real sky.
        level = max_level * (0.25 + 0.75 * rng.random() ** 3)
        if y_weight is not None:
            level *= y_weight(y)
        if level <= 0.02:
            continue
        tint = np.array([1.0, 1.0, 1.0])
        if tints:
            t = rng.random()
            if t < 0.2:
                tint = np.array([1.0, 0.86, 0.7])    # cool orange star
            elif t < 0.45:
                tint = np.array([0.78, 0.87, 1.0])   # hot blue-white star
        col = 255.0 * level * tint
        img[y, x] += col
        if crosses and level > 0.7 * max_level:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                if 0 <= x + dx < w and 0 <= y + dy < h:
                    img[y + dy, x + dx] += 0.3 * col
    np.clip(img, 0, 255, out=img)


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


# --------------------------------------------------------------------------
# Globeafrica: the Earth seen from space, Africa facing the viewer.

GLOBE_W, GLOBE_H = 639, 501
GLOBE_CX, GLOBE_CY, GLOBE_R = 348, 249, 210
GLOBE_LON0, GLOBE_LAT0 = np.radians(20.0), np.radians(5.0)


def sample_map(earth, lon, lat):
    """Bilinear look-up in an equirectangular map (x = longitude, y = latitude)."""
    mh, mw, _ = earth.shape
    u = ((lon + np.pi) / (2 * np.pi) * mw - 0.5) % mw
    v = np.clip((np.pi / 2 - lat) / np.pi * mh - 0.5, 0, mh - 1)
    x0 = np.floor(u).astype(int)
    y0 = np.floor(v).astype(int)
    fx = (u - x0)[..., None]
    fy = (v - y0)[..., None]
    x1 = (x0 + 1) % mw
    y1 = np.minimum(y0 + 1, mh - 1)
    top = earth[y0, x0] * (1 - fx) + earth[y0, x1] * fx
    bot = earth[y1, x0] * (1 - fx) + earth[y1, x1] * fx
    return top * (1 - fy) + bot * fy


def make_globe(earth_path, out):
    rng = np.random.default_rng(1908)
    earth = np.asarray(Image.open(earth_path).convert("RGB"), np.float32)
    # The map's oceans are almost black; lift the darks a little so the
    # sea reads as blue water on a small picture.
    earth = 255.0 * (earth / 255.0) ** 0.85

    # Deep space with a hint of blue, a little lighter around the planet.
    ys, xs = np.mgrid[0:GLOBE_H, 0:GLOBE_W].astype(np.float32)
    dist = np.hypot(xs - GLOBE_CX, ys - GLOBE_CY)
    img = np.zeros((GLOBE_H, GLOBE_W, 3), np.float32)
    img[...] = np.array([2.0, 3.0, 10.0])
    img += np.exp(-np.maximum(dist - GLOBE_R, 0) / 90.0)[..., None] * np.array([2.0, 4.0, 12.0])
    add_stars(img, rng, 170, max_level=0.8)

    # Sun from the upper left, a bit in front of the Earth.
    light = np.array([-0.45, 0.35, 0.82])
    light /= np.linalg.norm(light)

    # 4x4 supersampling gives a clean anti-aliased limb.
    ss = 4
    x0, x1 = GLOBE_CX - GLOBE_R - 2, GLOBE_CX + GLOBE_R + 2
    y0, y1 = GLOBE_CY - GLOBE_R - 2, GLOBE_CY + GLOBE_R + 2
    bw, bh = x1 - x0, y1 - y0
    sy, sx = np.mgrid[0:bh * ss, 0:bw * ss].astype(np.float64)
    px = x0 + (sx + 0.5) / ss
    py = y0 + (sy + 0.5) / ss
    # Pixel centres are at +0.5, so the disc is centred on (348.5, 249.5).
    nx = (px - (GLOBE_CX + 0.5)) / GLOBE_R
    ny = -(py - (GLOBE_CY + 0.5)) / GLOBE_R
    rho2 = nx * nx + ny * ny
    inside = rho2 < 1.0
    nz = np.sqrt(np.clip(1.0 - rho2, 0.0, 1.0))

    # Inverse orthographic projection.
    sin0, cos0 = np.sin(GLOBE_LAT0), np.cos(GLOBE_LAT0)
    lat = np.arcsin(np.clip(nz * sin0 + ny * cos0, -1, 1))
    lon = GLOBE_LON0 + np.arctan2(nx, nz * cos0 - ny * sin0)
    col = sample_map(earth, lon, lat)

    lambert = np.clip(nx * light[0] + ny * light[1] + nz * light[2], 0, 1)
    shade = 0.10 + 0.90 * lambert ** 0.8
    limb = 0.55 + 0.45 * nz ** 0.35          # gentle limb darkening
    col = col * (shade * limb)[..., None]
    # Blue haze thickens toward the limb where we look through more air.
    haze = (1.0 - nz) ** 2.5 * 0.55 * (0.25 + 0.75 * lambert)
    col = col * (1 - haze[..., None]) + haze[..., None] * np.array([95.0, 150.0, 255.0])

    disc = np.where(inside[..., None], col, 0.0)
    cover = inside.astype(np.float64)
    disc = disc.reshape(bh, ss, bw, ss, 3).mean(axis=(1, 3))
    cover = cover.reshape(bh, ss, bw, ss).mean(axis=(1, 3))[..., None]
    region = img[y0:y1, x0:x1]
    img[y0:y1, x0:x1] = region * (1 - cover) + disc

    # Thin glowing rim of atmosphere just outside the disc, brighter on the
    # sunlit side.
    rr = dist - GLOBE_R
    ang_x = (xs - GLOBE_CX) / np.maximum(dist, 1)
    ang_y = -(ys - GLOBE_CY) / np.maximum(dist, 1)
    lit = np.clip(0.35 + 0.65 * (ang_x * light[0] + ang_y * light[1]) / np.hypot(light[0], light[1]), 0.22, 1.0)
    glow = np.where(rr > -0.5, np.exp(-np.maximum(rr, 0) / 2.2), 0.0) * lit
    glow *= smoothstep(-1.0, 0.6, rr)   # fades in across the anti-aliased edge
    img += glow[..., None] * np.array([70.0, 130.0, 255.0])
    np.clip(img, 0, 255, out=img)
    save_gif(img, out)


# --------------------------------------------------------------------------
# Braking: the lower atmosphere from the side, ground at row 350.

BRAKE_W, BRAKE_H, GROUND_ROW = 639, 501, 350


def make_braking(out):
    rng = np.random.default_rng(2013)
    h, w = BRAKE_H, BRAKE_W
    img = np.zeros((h, w, 3), np.float32)

    # Sky colour by row: black high up, deep blue in the middle, pale blue
    # only near the ground, so the About text on the top-left stays legible.
    rows = np.array([0, 90, 160, 220, 270, 300, 322, 340, 350], np.float32)
    cols = np.array([
        [1, 2, 7],
        [3, 5, 20],
        [7, 16, 52],
        [13, 34, 96],
        [22, 54, 130],
        [40, 86, 168],
        [80, 135, 208],
        [135, 180, 232],
        [170, 206, 240],
    ], np.float32)
    y = np.arange(GROUND_ROW, dtype=np.float32)
    # Interpolate in a gamma-ish space for a smoother looking blend.
    lin = cols ** 2.2
    sky = np.stack([np.interp(y, rows, lin[:, c]) for c in range(3)], axis=1) ** (1 / 2.2)
    # Smooth out the corners of the piecewise curve.
    k = np.exp(-0.5 * (np.arange(-24, 25) / 6.0) ** 2)
    k /= k.sum()
    pad = np.concatenate([np.repeat(sky[:1], 24, 0), sky, np.repeat(sky[-1:], 24, 0)])
    sky = np.stack([np.convolve(pad[:, c], k, mode="valid") for c in range(3)], axis=1)
    img[:GROUND_ROW] = sky[:, None, :]
    # A faint, wide lighter patch low on the right, like scattered sunlight.
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    sun = np.exp(-(((xs - 560) / 260.0) ** 2 + ((ys - 350) / 110.0) ** 2))
    img[:GROUND_ROW] += (sun[:GROUND_ROW, :, None] * np.array([16.0, 14.0, 8.0]))

    # Faint stars only where the air is thin.
    add_stars(img, rng, 120, lambda yy: max(0.0, 1.0 - yy / 170.0) ** 1.5, max_level=0.55)

    # Ground: layered rolling hills, far ones hazy blue-grey, near ones
    # darker earth tones; all of it below row 350.
    ground = np.zeros((h - GROUND_ROW, w, 3), np.float32)
    gy = np.arange(GROUND_ROW, h, dtype=np.float32)[:, None]
    gx = np.arange(w, dtype=np.float32)[None, :]
    layers = [
        # top row (mean), wave amplitude, colour top, colour bottom
        (GROUND_ROW, 0, [64, 76, 90], [50, 58, 68]),
        (GROUND_ROW + 13, 5, [46, 54, 54], [32, 37, 34]),
        (GROUND_ROW + 34, 9, [42, 42, 32], [26, 25, 18]),
        (GROUND_ROW + 68, 12, [36, 31, 22], [18, 15, 10]),
        (GROUND_ROW + 108, 14, [26, 21, 15], [10, 8, 6]),
    ]
    for i, (top, amp, ctop, cbot) in enumerate(layers):
        if amp:
            phase = rng.random(3) * 2 * np.pi
            edge = (top + amp * (0.55 * np.sin(gx / (95 - 9 * i) + phase[0])
                                 + 0.30 * np.sin(gx / (41 - 3 * i) + phase[1])
                                 + 0.15 * np.sin(gx / 17.0 + phase[2])))
        else:
            edge = np.full_like(gx, top)
        edge = np.maximum(edge, GROUND_ROW)
        t = np.clip((gy - edge) / 60.0, 0, 1)[..., None]
        c = np.array(ctop) * (1 - t) + np.array(cbot) * t
        if amp:
            # Low sunlight catches the crest of each ridge.
            c = c + np.exp(-np.maximum(gy - edge, 0) / 2.0)[..., None] * np.array([9.0, 9.0, 7.0])
        # A soft one-pixel edge keeps the hill lines from looking jagged.
        a = np.clip(gy - edge + 0.5, 0, 1)[..., None]
        ground = ground * (1 - a) + c * a
    # Fine texture of fields and scrub, stronger close to the viewer.
    tex = fractal_noise(rng, h - GROUND_ROW, w, 24, 4)[..., None]
    near = np.clip((gy - GROUND_ROW) / (h - GROUND_ROW), 0, 1)[..., None]
    ground *= 1.0 + tex * (0.06 + 0.14 * near)
    img[GROUND_ROW:] = ground
    # Thin bright haze line where the sky meets the land.
    haze = np.exp(-np.abs(np.arange(h, dtype=np.float32) - GROUND_ROW + 0.5) / 2.0)[:, None, None]
    img += haze * np.array([40.0, 44.0, 46.0]) * (0.6 + 0.4 * sun[..., None])
    np.clip(img, 0, 255, out=img)
    save_gif(img, out)


# --------------------------------------------------------------------------
# Pum1..Pum5: the explosion cloud, frame by frame.

PUM_SIZE = 60
# Palette by temperature 0 (cold smoke) .. 1 (hottest core).
FIRE_T = np.array([0.0, 0.18, 0.34, 0.50, 0.66, 0.82, 1.0])
FIRE_C = np.array([
    [52, 48, 46],      # dark smoke
    [96, 84, 76],      # grey-brown smoke
    [150, 52, 28],     # dull red
    [214, 74, 20],     # red-orange
    [246, 142, 34],    # orange
    [254, 214, 88],    # yellow
    [255, 252, 226],   # yellow-white, never pure white
], np.float32)


def fire_colour(t):
    return np.stack([np.interp(t, FIRE_T, FIRE_C[:, c]) for c in range(3)], axis=-1)


def make_pum(frame, out):
    """frame 0..4: the cloud grows and its fire cools into smoke."""
    rng = np.random.default_rng(700 + frame)
    n = PUM_SIZE
    radius = [8.5, 13.0, 18.0, 22.5, 26.0][frame]
    heat = [1.05, 0.92, 0.76, 0.62, 0.53][frame]
    smoky = [0.0, 0.10, 0.35, 0.60, 0.78][frame]
    ss = 4
    ys, xs = np.mgrid[0:n * ss, 0:n * ss].astype(np.float32)
    px, py = (xs + 0.5) / ss - 30.0, (ys + 0.5) / ss - 30.0

    # The cloud is a heap of round billows: one in the middle, a ring of
    # big ones and smaller ones on the rim; the nearest surface gives the shape.
    puffs = [(0.0, 0.0, 0.70 * radius)]
    for ring, (count, at, size, spread) in enumerate(
            ((6 + frame, 0.42, 0.34, 0.14), (9 + 3 * frame, 0.70, 0.18, 0.10))):
        for i in range(count):
            ang = 2 * np.pi * (i + 0.8 * rng.random()) / count
            dist = radius * (at + 0.12 * rng.random())
            puffs.append((dist * np.cos(ang), dist * np.sin(ang),
                          radius * (size + spread * rng.random())))
    height = np.full(px.shape, -1e9, np.float32)
    nx = np.zeros_like(px)
    ny = np.zeros_like(px)
    nz = np.ones_like(px)
    for cx, cy, r in puffs:
        d2 = (px - cx) ** 2 + (py - cy) ** 2
        # Billows nearer the middle sit higher (closer to the viewer).
        lift = 0.35 * radius * (1.0 - np.hypot(cx, cy) / radius)
        z = np.sqrt(np.clip(r * r - d2, 0, None)) + lift
        top = (d2 < r * r) & (z > height)
        height = np.where(top, z, height)
        nx = np.where(top, (px - cx) / r, nx)
        ny = np.where(top, (py - cy) / r, ny)
        nz = np.where(top, (z - lift) / r, nz)
    inside_ss = height > -1e8
    # Stay clear of the frame's edge.
    inside_ss &= np.hypot(px, py) < 29.0

    # Lumpy surface: tilt the billows' normals by a fine noise.
    bump = fractal_noise(rng, n * ss, n * ss, 10, 2)
    by, bx = np.gradient(bump)
    nx = nx - 4.0 * bx
    ny = ny - 4.0 * by
    norm = np.sqrt(nx * nx + ny * ny + nz * nz) + 1e-6
    nx, ny, nz = nx / norm, ny / norm, nz / norm

    # Light from the upper left and in front.
    lx, ly, lz = -0.5, -0.6, 0.62
    lam = np.clip(nx * lx + ny * ly + nz * lz, 0, 1)
    lit = 0.40 + 0.80 * lam
    # Folds between billows: there the fire shows through the smoke.
    fold = np.clip(nz, 0, 1) ** 0.6

    tex = fractal_noise(rng, n * ss, n * ss, 6, 3)
    rel = np.hypot(px, py) / radius
    t = heat * (1.0 - 0.55 * np.clip(rel, 0, 1.3) ** 1.4) * (0.85 + 0.15 * fold) + 0.10 * tex
    fire = fire_colour(np.clip(t, 0, 1))
    # Burning gas glows by itself, so light and shade matter less the hotter it is.
    glow = np.clip(t * 1.3 - 0.3, 0, 1)[..., None]
    fire = fire * (glow + (1 - glow) * lit[..., None])

    # Smoke: warm grey, lit from the upper left, covering the outer billows
    # first and more of the cloud in every frame, thinner in the folds.
    shade_tex = 0.5 + 0.5 * fractal_noise(rng, n * ss, n * ss, 4, 2)
    smoke_base = np.array([70.0, 62.0, 58.0]) * (1 - shade_tex[..., None]) \
        + np.array([128.0, 120.0, 114.0]) * shade_tex[..., None]
    smoke_col = smoke_base * (0.50 + 0.65 * lam)[..., None]
    cover = smoothstep(1.0 - smoky * 1.25, 1.3 - smoky * 0.9, rel + 0.3 * tex)
    cover = cover * min(1.0, smoky * 1.5) * (0.45 + 0.55 * fold)
    col = fire * (1 - cover[..., None]) + smoke_col * cover[..., None]

    # Shrink to the final size; a pixel counts as cloud when most of it is.
    col = col.reshape(n, ss, n, ss, 3)
    m = inside_ss.reshape(n, ss, n, ss)
    frac = m.mean(axis=(1, 3))
    # Average only the covered samples, so the rim is not blended with white.
    col = (col * m[..., None]).sum(axis=(1, 3)) / np.maximum(m.sum(axis=(1, 3)), 1)[..., None]
    inside = frac >= 0.5
    col = np.clip(np.rint(col), 0, 255)
    # Any pure white pixel would vanish as background: keep the core off it.
    white = np.all(col >= 255, axis=-1)
    col[white] = [255, 255, 240]

    img = np.full((n, n, 3), 255.0, np.float32)
    img[inside] = col[inside]
    assert not np.any(np.all(img[inside] == 255, axis=-1))
    save_png(img, out)


# --------------------------------------------------------------------------
# space2: the diagram's dark backdrop.

def make_space2(out):
    rng = np.random.default_rng(261263)
    h, w = 263, 261
    img = np.zeros((h, w, 3), np.float32)
    img[...] = np.array([2.0, 3.0, 9.0])
    # The faintest touch of cloud so the black does not look dead.
    neb = np.clip(fractal_noise(rng, h, w, 4, 4), 0, 1)[..., None]
    img += neb * np.array([4.0, 5.0, 12.0])
    # Sparse and dim: the grid and the plotted points must win.
    add_stars(img, rng, 75, max_level=0.36, crosses=False)
    save_png(img, out)


# --------------------------------------------------------------------------
# avpuku: a meteor streak, tail at the upper left, head at the lower right.

def make_meteor(out):
    rng = np.random.default_rng(4242)
    w, h = 120, 80
    img = np.zeros((h, w, 3), np.float32)
    img[...] = np.array([3.0, 4.0, 14.0])
    add_stars(img, rng, 22, max_level=0.45)

    ss = 4
    ys, xs = np.mgrid[0:h * ss, 0:w * ss].astype(np.float32)
    px, py = (xs + 0.5) / ss, (ys + 0.5) / ss
    tail = np.array([8.0, 6.0])
    head = np.array([94.0, 60.0])
    axis = head - tail
    length = np.linalg.norm(axis)
    u = axis / length
    rel_x, rel_y = px - tail[0], py - tail[1]
    along = (rel_x * u[0] + rel_y * u[1]) / length       # 0 at tail end, 1 at head
    across = np.abs(-rel_x * u[1] + rel_y * u[0])

    light = np.zeros((h * ss, w * ss, 3), np.float32)
    a = np.clip(along, 0, 1)
    # Past the head the trail fades out softly instead of being cut off.
    beyond = np.maximum(along - 1.0, 0) * length
    ends = (along > 0) * np.exp(-0.5 * (beyond / 1.5) ** 2)
    # Trail: widens and brightens toward the head, cools from white-yellow to red.
    width = 0.6 + 2.8 * a ** 1.5
    strength = a ** 2.2 * ends
    core = np.exp(-0.5 * (across / (0.45 * width)) ** 2) * strength
    halo = np.exp(-0.5 * (across / (1.6 * width)) ** 2) * strength * 0.45
    warm = np.stack([np.ones_like(a), 0.35 + 0.55 * a, 0.10 + 0.55 * a ** 3], -1)
    light += core[..., None] * warm * 1.2
    light += halo[..., None] * np.array([1.0, 0.45, 0.15])
    # A few sparks flaking off the trail.
    for _ in range(14):
        s = 0.35 + 0.6 * rng.random()
        off = (rng.random() - 0.5) * 6.0 * s
        cx = tail[0] + axis[0] * s - u[1] * off
        cy = tail[1] + axis[1] * s + u[0] * off
        spark = np.exp(-((px - cx) ** 2 + (py - cy) ** 2) / (2 * 0.45 ** 2)) * (0.5 + 0.5 * s)
        light += spark[..., None] * np.array([1.0, 0.75, 0.4])
    # Head: white-hot point inside a green-blue glow (the meteor's metals
    # burning), plus a wide faint bloom.
    r = np.hypot(px - head[0], py - head[1])
    light += np.exp(-(r / 2.4) ** 2)[..., None] * np.array([1.6, 1.6, 1.5])
    light += np.exp(-(r / 6.0) ** 2)[..., None] * np.array([0.45, 0.85, 0.75])
    light += np.exp(-(r / 16.0) ** 2)[..., None] * np.array([0.10, 0.22, 0.30])

    light = light.reshape(h, ss, w, ss, 3).mean(axis=(1, 3))
    # Soft tone curve: bright parts saturate to white instead of clipping hard.
    mapped = 255.0 * (1.0 - np.exp(-1.6 * light))
    img = img + mapped * (1 - img / 255.0)
    save_gif(img, out)


def main():
    earth_path, out_dir = sys.argv[1], sys.argv[2]
    make_globe(earth_path, f"{out_dir}/Globeafrica.gif")
    make_braking(f"{out_dir}/Braking.gif")
    for i in range(5):
        make_pum(i, f"{out_dir}/Pum{i + 1}.png")
    make_space2(f"{out_dir}/space2.png")
    make_meteor(f"{out_dir}/avpuku.gif")


if __name__ == "__main__":
    main()
