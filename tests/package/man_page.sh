# A manual page as man shows it: rendered without a warning, with the sections a reader looks
# for, every option the program's --help names, and the program's version in its footer.
#   man_page.sh <page.6.gz> <program> <section>...
set -euo pipefail
page=$1 program=$2
shift 2
name=$(basename "$program")
fail() { echo "FAIL: $(basename "$page"): $*" >&2; exit 1; }

err=$(mktemp)
trap 'rm -f "$err"' EXIT
text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>"$err") || fail "man ended with $?: $(cat "$err")"
[ ! -s "$err" ] || fail "man warned: $(cat "$err")"

for section in NAME SYNOPSIS DESCRIPTION "$@"; do
  grep -q "^$section\$" <<<"$text" || fail "no section $section"
done
grep -A1 '^NAME$' <<<"$text" | grep -q -E "^ *$name +- " || fail "the NAME line does not read '$name - ...'"

# The text of the OPTIONS section: from its heading to the next heading.
options=$(sed -n '/^OPTIONS$/,/^[A-Z]/{/^[A-Z]/d;p}' <<<"$text")
help=$("$program" --help)
for option in $(grep -o -E -- '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | tr -d ' ,' | sort -u); do
  grep -q -- "$option\\b" <<<"$options" || fail "--help names $option, the OPTIONS section does not"
done

version=$("$program" --version | awk '{print $2}')
tail -n 1 <<<"$text" | grep -q "vum-games $version " || fail "the footer does not name version $version: $(tail -n 1 <<<"$text")"
echo "$(basename "$page"): renders cleanly, names every option of $name --help"
