# AppStream metadata as a software centre reads it: valid without a warning even to the
# pedantic validator, rated, released at the project's version, naming the programs the
# package puts on the PATH and the words people search for.
#   metainfo.sh <file.metainfo.xml> <version> <program>... -- <keyword>...
set -euo pipefail
file=$1 version=$2
shift 2
fail() { echo "FAIL: $(basename "$file"): $*" >&2; exit 1; }

report=$(appstreamcli validate --pedantic --no-net "$file" 2>&1) || fail "not valid: $report"
! grep -q -E '^[EW]:' <<<"$report" || fail "the validator warns: $report"

grep -q '<content_rating type="oars-1\.[0-9]"' "$file" || fail "no OARS content rating"
grep -q -E "<release version=\"$version\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$file" \
  || fail "no release entry for version $version"
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  grep -q "<binary>$1</binary>" "$file" || fail "does not provide the binary $1"
  shift
done
[ "${1:-}" = -- ] && shift
for keyword in "$@"; do
  grep -q "<keyword>$keyword</keyword>" "$file" || fail "no keyword '$keyword'"
done
echo "$(basename "$file"): valid, rated, release $version"
