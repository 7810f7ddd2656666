#!/usr/bin/env bash
# Makes the pictures, sounds and films of the example quizzes: flags drawn
# with ImageMagick, tones computed into WAV files, short MJPEG films in AVI
# files written by hand. Every file is our own and small; the results are
# committed, so this only needs running again after a change here.
#
# Needs: imagemagick (convert), fonts-dejavu-core, python3.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Same bytes on every run: no dates, no comments.
png_options=(-strip -define png:exclude-chunks=date,time)
font=DejaVu-Sans-Bold

# --- Pictures: flags (question) and flags named (answer) -------------------
flag() {  # flag NAME OUT_BASE DRAW_ARGS...
  local out="$1"; shift
  convert -size 180x120 xc:white "$@" "$work/$out.png"
}

flag france   -fill '#0055A4' -draw 'rectangle 0,0 59,119'  -fill '#EF4135' -draw 'rectangle 120,0 179,119'
flag italie   -fill '#009246' -draw 'rectangle 0,0 59,119'  -fill '#CE2B37' -draw 'rectangle 120,0 179,119'
flag belgique -fill black     -draw 'rectangle 0,0 59,119'  -fill '#FDDA24' -draw 'rectangle 60,0 119,119' \
              -fill '#EF3340' -draw 'rectangle 120,0 179,119'
flag allemagne -fill black    -draw 'rectangle 0,0 179,39'  -fill '#DD0000' -draw 'rectangle 0,40 179,79' \
               -fill '#FFCE00' -draw 'rectangle 0,80 179,119'
flag irlande  -fill '#169B62' -draw 'rectangle 0,0 59,119'  -fill '#FF883E' -draw 'rectangle 120,0 179,119'
flag japon    -fill '#BC002D' -draw 'circle 90,60 90,24'

named() {  # named FLAG LABEL
  convert "$work/$1.png" -gravity south -background '#202020' -splice 0x28 \
    -font "$font" -pointsize 18 -fill white -annotate +0+4 "$2" "$work/$1-nom.png"
}
named france France
named italie Italie
named belgique Belgique
named allemagne Allemagne
named irlande Irlande
named japon Japon

pictures="$here/images"
convert "$work/france.png"        -strip -quality 85 "$pictures/france.jpg"
convert "$work/italie.png"        -strip "$pictures/italie.gif"
convert "$work/belgique.png"      -type palette -compress none "BMP3:$pictures/belgique.bmp"
convert "$work/allemagne.png"     "${png_options[@]}" "$pictures/allemagne.png"
convert "$work/irlande.png"       -strip -quality 85 "$pictures/irlande.jpg"
convert "$work/japon.png"         "${png_options[@]}" "$pictures/japon.png"
convert "$work/france-nom.png"    "${png_options[@]}" "$pictures/france-nom.png"
convert "$work/italie-nom.png"    -strip -quality 85 "$pictures/italie-nom.jpg"
convert "$work/belgique-nom.png"  -strip "$pictures/belgique-nom.gif"
convert "$work/allemagne-nom.png" -strip -quality 85 "$pictures/allemagne-nom.jpg"
convert "$work/irlande-nom.png"   -type palette -compress none "BMP3:$pictures/irlande-nom.bmp"
convert "$work/japon-nom.png"     "${png_options[@]}" "$pictures/japon-nom.png"

# --- Film frames: a coloured shape that grows, JPEG each -------------------
frames() {  # frames NAME COLOUR SHAPE
  local name="$1" colour="$2" shape="$3" i size draw
  mkdir -p "$work/$name"
  for i in $(seq 0 11); do
    size=$((6 + i * 2))
    case "$shape" in
      cercle)   draw="circle 40,30 $((40 + size)),30" ;;
      carre)    draw="rectangle $((40 - size)),$((30 - size)) $((40 + size)),$((30 + size))" ;;
      triangle) draw="polygon 40,$((30 - size)) $((40 - size)),$((30 + size)) $((40 + size)),$((30 + size))" ;;
      etoile)   draw="polygon 40,$((30 - size)) $((40 + size / 4)),$((30 - size / 4)) $((40 + size)),30 \
$((40 + size / 4)),$((30 + size / 4)) 40,$((30 + size)) $((40 - size / 4)),$((30 + size / 4)) \
$((40 - size)),30 $((40 - size / 4)),$((30 - size / 4))" ;;
    esac
    convert -size 80x60 xc:'#F0F0F0' -fill "$colour" -draw "$draw" -strip -quality 80 \
      "$work/$name/$(printf '%02d' "$i").jpg"
  done
}
frames cercle '#D02020' cercle
frames carre '#2040D0' carre
frames triangle '#20A040' triangle
frames etoile '#E0C000' etoile

python3 - "$work" "$here" <<'PY'
import math, struct, sys, wave, os, glob

work, here = sys.argv[1], sys.argv[2]

# --- Sounds: 8 kHz, 8-bit mono WAV -------------------------------------------
RATE = 8000

def tone(freq, seconds, volume=0.6):
    n = int(RATE * seconds)
    fade = int(RATE * 0.01)
    out = []
    for i in range(n):
        envelope = min(1.0, i / fade, (n - i) / fade) if fade else 1.0
        out.append(volume * envelope * math.sin(2 * math.pi * freq * i / RATE))
    return out

def silence(seconds):
    return [0.0] * int(RATE * seconds)

def sweep(low, high, seconds):
    n = int(RATE * seconds)
    phase, out = 0.0, []
    for i in range(n):
        t = i / n
        freq = low + (high - low) * (0.5 - 0.5 * math.cos(2 * math.pi * t))
        phase += 2 * math.pi * freq / RATE
        out.append(0.5 * math.sin(phase))
    return out

def click():
    return [0.8 * math.exp(-i / 40.0) * math.sin(2 * math.pi * 2000 * i / RATE) for i in range(400)]

def write_wav(name, samples):
    with wave.open(os.path.join(here, "audio", name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(RATE)
        out.writeframes(bytes(int(128 + 127 * max(-1.0, min(1.0, s))) for s in samples))

write_wav("la.wav", tone(440.0, 1.2))
write_wav("trois-bips.wav", sum([tone(880.0, 0.15) + silence(0.25) for _ in range(3)], []))
dot, dash, gap = tone(700.0, 0.08), tone(700.0, 0.24), silence(0.08)
letter = lambda marks: sum([m + gap for m in marks], []) + silence(0.16)
write_wav("sos.wav", letter([dot] * 3) + letter([dash] * 3) + letter([dot] * 3))
write_wav("sirene.wav", sweep(500.0, 1000.0, 1.0) + sweep(500.0, 1000.0, 1.0))
write_wav("tic-tac.wav", sum([click() + silence(0.45) + [s * 0.6 for s in click()] + silence(0.45)
                              for _ in range(2)], []))
scale = [261.63, 293.66, 329.63, 349.23, 392.00, 440.00, 493.88, 523.25]
write_wav("gamme.wav", sum([tone(f, 0.22) for f in scale], []))

# --- Films: MJPEG in AVI, written by hand ------------------------------------
def chunk(tag, data):
    pad = b"\0" if len(data) % 2 else b""
    return tag + struct.pack("<I", len(data)) + data + pad

def riff_list(tag, kind, data):
    return chunk(tag, kind + data)

def write_avi(name, frame_files, fps=4, width=80, height=60):
    frames = [open(f, "rb").read() for f in frame_files]
    biggest = max(len(f) for f in frames)
    avih = struct.pack("<IIIIIIIIII4I", 1000000 // fps, biggest * fps, 0, 0x10, len(frames), 0, 1,
                       biggest, width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"MJPG", 0, 0, 0, 0, 1, fps, 0, len(frames),
                       biggest, 0xFFFFFFFF, 0, 0, 0, width, height)
    strf = struct.pack("<IiiHH4sIiiII", 40, width, height, 1, 24, b"MJPG", width * height * 3, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_data, index, offset = b"", b"", 4
    for frame in frames:
        piece = chunk(b"00dc", frame)
        index += struct.pack("<4sIII", b"00dc", 0x10, offset, len(frame))
        offset += len(piece)
        movi_data += piece
    body = hdrl + riff_list(b"LIST", b"movi", movi_data) + chunk(b"idx1", index)
    with open(os.path.join(here, "video", name), "wb") as out:
        out.write(riff_list(b"RIFF", b"AVI ", body))

for shape in ["cercle", "carre", "triangle", "etoile"]:
    write_avi(shape + ".avi", sorted(glob.glob(os.path.join(work, shape, "*.jpg"))))
PY

ls -l "$here"/images "$here"/audio "$here"/video
