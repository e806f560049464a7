#!/usr/bin/env bash
# Builds the fuzzers' seed corpora in fuzz/corpus/<target>/ from our own
# data: data files copied or cut down, formulas taken from the content lines,
# saved games played by the soak player, textures and width files from the
# build's generated data, and small binary pictures written here. Nothing
# generated is committed; fuzz/seeds/ holds the few committed text seeds.
#   tools/fuzz-corpus.sh BUILD_DIR   (a build with polity-soak)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:?usage: tools/fuzz-corpus.sh BUILD_DIR}
corpus=fuzz/corpus
mkdir -p "$corpus"

seed_dir() { mkdir -p "$corpus/$1"; echo "$corpus/$1"; }

# Committed seeds first.
for dir in fuzz/seeds/*/; do
  target=$(basename "$dir")
  cp "$dir"* "$(seed_dir "$target")/"
done

# Formulas: the quoted "target,formula" fields of every content file.
out=$(seed_dir formula)
grep -rhoE '"[A-Za-z_][A-Za-z0-9_ ]*,[-0-9.x][^",]*"' data --include='*.csv' --include='*.txt' |
  sed -E 's/^"[^,]*,//; s/"$//' | sort -u | head -n 300 | while IFS= read -r formula; do
  printf '%s' "$formula" > "$out/data-$(printf '%s' "$formula" | md5sum | cut -c1-12)"
done || true

# Comma-separated lines: every content file, cut into pieces of a few lines
# (the lines are what matters, and small inputs run fast).
out=$(seed_dir field_reader)
for f in data/simulation/*.csv data/*.csv data/missions/mission*.txt; do
  [ -f "$f" ] && split -l 6 -a 3 "$f" "$out/$(echo "$f" | tr '/' '_')-"
done

# Initialisation files: setup, options, style sheet, skin, missions, dilemmas.
out=$(seed_dir ini)
for f in data/*.ini data/config.muf data/missions/mission*.txt data/simulation/dilemmas/*.txt; do
  [ -f "$f" ] && cp "$f" "$out/$(echo "$f" | tr '/' '_')"
done

# The string table with a parameter list and a template after zero bytes:
# the whole file, and its first lines alone.
out=$(seed_dir strings)
{ cat data/strings.ini; printf '\0NAME=Smith,CHANGEPERCENT=2.50,CAUSE=Tax,\0Hello <NAME>! <CAUSE'; } > "$out/whole"
{ head -n 40 data/strings.ini; printf '\0A=1,B=2\0<A><B><>'; } > "$out/head"
{ printf '[strings]\nGREETING=Hello <NAME>!\n[anger]\n0=calm\n1=cross\n2=furious\n'
  printf '[name_male_first]\n0=Aldo\n[name_female_first]\n0=Ada\n[name_last]\n0=Varga\n'
  printf '\0NAME=Smith,\0\x80\x40'; } > "$out/small"

# Voter matrices: the first lines of each mission's population.
out=$(seed_dir voter_matrix)
for f in data/missions/mission*.mtx; do
  [ -f "$f" ] || continue
  name=$(basename "$f" .mtx)
  head -n 20 "$f" > "$out/$name-20"
  head -n 120 "$f" > "$out/$name-120"
done

# Saved games: a few turns of each mission, played by the soak player in a
# scratch copy of the data; whole for the reader, with a cut population for
# the loader, which rebuilds the game for every input.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r data "$scratch/data"
soak=$(realpath "$build_dir/polity-soak")
save_out=$(seed_dir savegame)
load_out=$(seed_dir savegame_load)
n=1
while [ -f "data/missions/mission$n.txt" ]; do
  for turns in 2 9; do
    save="$scratch/data/savegames/soak.dedu"
    rm -f "$save"
    (cd "$scratch" && ASAN_OPTIONS=detect_leaks=0 "$soak" --mission "mission$n" --seed "$turns" --turns "$turns" \
        --save-every 1 > /dev/null 2>&1) || true
    [ -f "$save" ] || continue
    cp "$save" "$save_out/mission$n-turn$turns.dedu"
    # Cut down: the classic sections only, 40 voters, and three records of
    # each repeated section; the loader rebuilds the game for every input.
    awk 'BEGIN { voters = 0; inside = 0; skipping = 0 }
         /^\[continuation\]/ { exit }
         /^\[voters\]/ { inside = 1; print; next }
         /^\[/ { inside = 0; seen[$0]++; skipping = ($0 ~ /^\[(votertype|simulation|situation|policy)\]/ && seen[$0] > 3) }
         skipping { next }
         inside && NF { if (++voters > 40) next }
         { print }' "$save" > "$load_out/mission$n-turn$turns.dedu"
    cp "$load_out/mission$n-turn$turns.dedu" "$save_out/mission$n-turn$turns-cut.dedu"
  done
  n=$((n + 1))
done

# Pictures: the smallest generated textures, and tiny files of every layout
# the readers know, written here.
out=$(seed_dir dds)
find "$build_dir/data" build/data -name '*.dds' -size -24k 2>/dev/null | head -n 8 | while read -r f; do cp "$f" "$out/"; done || true
python3 - "$out" "$(seed_dir bmp)" "$(seed_dir width_file)" <<'PY'
import struct, sys, os
dds_dir, bmp_dir, width_dir = sys.argv[1:4]

def dds(width, height, flags, fourcc=b'\0\0\0\0', bits=0, masks=(0, 0, 0, 0), data=b''):
    pf = struct.pack('<II4sI4I', 32, flags, fourcc, bits, *masks)
    header = struct.pack('<4sIIIIII', b'DDS ', 124, 0x1007, height, width, 0, 0) + b'\0' * 44 + pf + b'\0' * 20
    return header + data

blocks = lambda w, h, size: bytes((i * 37) % 256 for i in range(((w + 3) // 4) * ((h + 3) // 4) * size))
samples = {
    'dxt1-5x3': dds(5, 3, 0x4, b'DXT1', data=blocks(5, 3, 8)),
    'dxt3-4x4': dds(4, 4, 0x4, b'DXT3', data=blocks(4, 4, 16)),
    'dxt5-8x4': dds(8, 4, 0x4, b'DXT5', data=blocks(8, 4, 16)),
    'argb32-3x2': dds(3, 2, 0x41, bits=32, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000), data=bytes(range(24))),
    'rgb24-2x2': dds(2, 2, 0x40, bits=24, masks=(0xFF0000, 0xFF00, 0xFF, 0), data=bytes(range(12))),
    'rgb565-mask-2x2': dds(2, 2, 0x40, bits=32, masks=(0xF800, 0x7E0, 0x1F, 0), data=bytes(range(16))),
}
for name, data in samples.items():
    open(os.path.join(dds_dir, name), 'wb').write(data)

def bmp(width, height, bits, palette=b'', pixels=b'', compression=0):
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    offset = 14 + len(info) + len(palette)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + info + palette + pixels

def rows(width, height, bits):
    stride = ((width * bits + 31) // 32) * 4
    return bytes((i * 29) % 256 for i in range(stride * height))

gray = lambda n: b''.join(bytes((i * 255 // max(1, n - 1),) * 3 + (0,)) for i in range(n))
pictures = {
    '24bit-3x2': bmp(3, 2, 24, pixels=rows(3, 2, 24)),
    '32bit-2x2-topdown': bmp(2, -2, 32, pixels=rows(2, 2, 32)),
    '8bit-5x3': bmp(5, 3, 8, gray(256), rows(5, 3, 8)),
    '4bit-7x2': bmp(7, 2, 4, gray(16), rows(7, 2, 4)),
    '1bit-9x2': bmp(9, 2, 1, gray(2), rows(9, 2, 1)),
    'rle8-4x2': bmp(4, 2, 8, gray(256), bytes([2, 5, 0, 2, 1, 0, 0, 0, 4, 9, 0, 1]), compression=1),
}
for name, data in pictures.items():
    open(os.path.join(bmp_dir, name), 'wb').write(data)

open(os.path.join(width_dir, 'ramp'), 'wb').write(struct.pack('<100i', *[(i % 24) for i in range(100)]))
open(os.path.join(width_dir, 'wild'), 'wb').write(struct.pack('<100i', *[(-1) ** i * i * 99991 for i in range(100)]))
open(os.path.join(width_dir, 'short'), 'wb').write(struct.pack('<50i', *range(50)))
PY
for f in "$build_dir"/data/*.dat build/data/*.dat; do
  [ -f "$f" ] && cp "$f" "$(seed_dir width_file)/"
done

for dir in "$corpus"/*/; do
  echo "corpus $(basename "$dir"): $(find "$dir" -type f | wc -l) inputs"
done
