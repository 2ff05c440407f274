#!/usr/bin/env bash
# Runs one libFuzzer target for a while, seeded from the shared test images, and keeps
# going after a finding so one run reports them all.
#   scripts/fuzz-run.sh TARGET SECONDS [WORK_DIR]
# Needs the fuzz build (build/fuzz, see .ci/run). Seeds are copied to WORK_DIR (default
# /tmp/vemora-fuzz), never into the repository; findings land in WORK_DIR/TARGET/findings,
# the log in WORK_DIR/TARGET/log. Runs under nice, with a memory limit per input.
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
seconds=$2
work=${3:-/tmp/vemora-fuzz}
testdata=../shared/testdata/images

cmake --build build/fuzz --target "$target" >/dev/null
dir=$work/$target
mkdir -p "$dir/seeds" "$dir/corpus" "$dir/findings"

# Small files of the formats the target reads: large ones only slow every mutation down.
case $target in
  fuzz_jpeg) pattern='.*\.(jpe?g)$' ;;
  fuzz_tiff) pattern='.*\.(tiff?|nef)$' ;;
  fuzz_bmp) pattern='.*\.bmp$' ;;
  fuzz_gif) pattern='.*\.gif$' ;;
  fuzz_icon) pattern='.*\.ico$' ;;
  fuzz_metadata*) pattern='.*\.(jpe?g|tiff?|nef)$' ;;
  *) pattern='.*\.(jpe?g|tiff?|bmp|gif|ico)$' ;;
esac
find "$testdata" -type f -size -200k -regextype posix-extended -iregex "$pattern" \
  -exec cp -n {} "$dir/seeds/" \;
# The camera JPEGs are larger than the fuzz build's pixel budget, so they only reach the
# refusal; small ones made from the bitmap suite reach the decoder itself.
vemora=build/gcc/apps/vemora/vemora
if [[ $target == fuzz_jpeg && -x $vemora ]]; then
  find "$testdata/bmp" -name "*.bmp" -size -100k | while read -r bitmap; do
    "$vemora" convert "$bitmap" "$dir/seeds/$(basename "$bitmap" .bmp).jpg" 2>/dev/null || true
  done
fi

binary=$(find build/fuzz/fuzz -name "$target" -type f | head -1)
nice -n 10 "$binary" \
  "$dir/corpus" "$dir/seeds" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -max_len=262144 -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 \
  -artifact_prefix="$dir/findings/" >"$dir/log" 2>&1 || true
echo "$target: findings: $(ls "$dir/findings" | wc -l); last stats: $(grep -E '^#[0-9]+' "$dir/log" | tail -1)"
