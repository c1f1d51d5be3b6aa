#!/usr/bin/env bash
# Exports a generated scenario as HTML and opens it in headless Chromium:
# every card image must load at 259 x 129. Leaves a screenshot in OUT.
# Usage: browser_export_test.sh BRINNOW_CLI MAKE_DOCUMENT OUT
# Exits 77 (skipped) when Chromium cannot be found, saying why.
set -euo pipefail
cli=$1 make_document=$2 out=$3

chromium=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$chromium" ]; then
    echo "SKIPPED: Chromium is not installed (apt-get install chromium); the browser check did not run."
    exit 77
fi

rm -rf "$out" && mkdir -p "$out/page"
"$make_document" "$out/campaign.brn" 200
"$cli" export-html "$out/campaign.brn" "Scenario 1" "$out/page/briefing.htm"

# A copy of the page that reports what the browser made of every image.
check="$out/page/check.htm"
sed 's#</BODY>#<script>window.addEventListener("load", function () {\
  var sizes = Array.prototype.map.call(document.images, function (i) {\
    return i.complete \&\& i.naturalWidth ? i.naturalWidth + "x" + i.naturalHeight : "broken:" + i.src; });\
  document.body.setAttribute("data-images", sizes.join(" ")); });</script></BODY>#' \
    "$out/page/briefing.htm" > "$check"

flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
       --disable-background-networking --disable-component-update --disable-sync
       --user-data-dir="$out/profile" --allow-file-access-from-files)
"$chromium" "${flags[@]}" --virtual-time-budget=10000 --dump-dom "file://$check" \
    > "$out/dom.html" 2>"$out/chromium.log"
"$chromium" "${flags[@]}" --window-size=900,1200 --screenshot="$out/briefing.png" \
    "file://$out/page/briefing.htm" >>"$out/chromium.log" 2>&1

images=$(grep -o 'data-images="[^"]*"' "$out/dom.html" | sed 's/data-images="//; s/"$//')
total=$(wc -w <<<"$images")
good=$(tr ' ' '\n' <<<"$images" | grep -c '^259x129$' || true)
expected=$(grep -o '<IMG ' "$out/page/briefing.htm" | wc -l)
echo "images in the page: $expected, loaded at 259 x 129: $good"
if [ "$total" -ne "$expected" ] || [ "$good" -ne "$expected" ] || [ "$expected" -eq 0 ]; then
    echo "FAILED: $(tr ' ' '\n' <<<"$images" | grep -v '^259x129$' | head -5)"
    exit 1
fi
echo "screenshot: $out/briefing.png"
