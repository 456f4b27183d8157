# Round trips through real programs: LibreOffice writes RTF of an HTML page and of an ODT
# document (links, a bulleted and a numbered list, headings, CJK, Hebrew, accented text, an
# emoji); quillon-link reads that RTF and writes Markdown, which pandoc reads; the text and
# every link must come back as the source has them.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: round_trip.sh QUILLON_LINK DATA_FOLDER" >&2; exit 2; }
link=$1 data=$2
for tool in soffice pandoc; do
  command -v "$tool" >/dev/null || { echo "FAIL: missing $tool" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/quillon-round-trip-XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" LC_ALL=C.UTF-8
mkdir -p "$HOME" "$work/html" "$work/odt"
cp "$data/page.html" "$work/html/page.html"
cp "$data/document.odt" "$work/odt/document.odt"

timeout 150 soffice --headless --infilter="HTML (StarWriter)" --convert-to 'rtf:Rich Text Format' \
  --outdir "$work/html" "$work/html/page.html" >"$work/soffice.log" 2>&1
timeout 150 soffice --headless --convert-to 'rtf:Rich Text Format' \
  --outdir "$work/odt" "$work/odt/document.odt" >>"$work/soffice.log" 2>&1
status=0
for pair in "html/page.rtf:page.html" "odt/document.rtf:doc-source.html"; do
  rtf=$work/${pair%%:*} source=$data/${pair#*:}
  [ -s "$rtf" ] || { echo "FAIL: LibreOffice wrote no $rtf: $(cat "$work/soffice.log")" >&2; exit 1; }
  "$link" --read rtf --format markdown <"$rtf" >"$rtf.md"
  pandoc -f markdown-smart -t html "$rtf.md" -o "$rtf.html"
  if /usr/bin/python3 "$data/compare.py" "$source" "$rtf.html"; then
    echo "ok: ${pair%%:*}"
  else
    echo "FAIL: ${pair%%:*} does not come back; the Markdown was:" >&2
    cat "$rtf.md" >&2
    status=1
  fi
done
exit $status
