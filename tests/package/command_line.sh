# A program's command line as a user meets it: --help and --version answer on standard output
# and end with 0, without a display and without touching any file; anything else gets one line
# of usage on standard error and status 2.
#   command_line.sh <program> <version>
set -euo pipefail
program=$1 version=$2
name=$(basename "$program")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $name: $*" >&2; exit 1; }

# The program in a folder it may write, with a home, data and current folder of its own, and
# no display at all: a window system asked for would abort the program, a file written would
# show up in the tree.
mkdir -p "$work/bin" "$work/home" "$work/cwd"
cp "$program" "$work/bin/"
tree_before=$(cd "$work" && find . | sort)

run() { # arguments...: sets status, out, err
  set +e
  (cd "$work/cwd" && env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
     XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache" LC_ALL=C.UTF-8 \
     "$work/bin/$name" "$@" >"$work/out" 2>"$work/err")
  status=$?
  set -e
  out=$(cat "$work/out") err=$(cat "$work/err")
  rm -f "$work/out" "$work/err"
}

for help in --help -h; do
  run "$help"
  [ "$status" -eq 0 ] || fail "$help ended with $status: $err"
  [ -z "$err" ] || fail "$help wrote to standard error: $err"
  [[ "$out" == "usage: $name "* ]] || fail "$help does not start with the usage line: $out"
  grep -q -- '--version' <<<"$out" || fail "$help does not name --version"
done

run --version
[ "$status" -eq 0 ] || fail "--version ended with $status: $err"
[ "$out" = "$name $version" ] || fail "--version printed '$out', not '$name $version'"
[ -z "$err" ] || fail "--version wrote to standard error: $err"

for bad in --bogus -x extra --help=1 --; do
  run "$bad"
  [ "$status" -eq 2 ] || fail "'$bad' ended with $status, not 2"
  [ -z "$out" ] || fail "'$bad' wrote to standard output: $out"
  [ "$(wc -l <<<"$err")" -eq 1 ] || fail "'$bad' wrote more than one line: $err"
  [[ "$err" == "$name: "*"usage: $name"* ]] || fail "'$bad' did not say the usage: $err"
done

# An answer that cannot be written is not a success.
set +e
(cd "$work/cwd" && env -i PATH=/usr/bin:/bin HOME="$work/home" "$work/bin/$name" --help >/dev/full 2>/dev/null)
status=$?
set -e
[ "$status" -ne 0 ] || fail "--help into a full disk ended with 0"

tree_after=$(cd "$work" && find . | sort)
[ "$tree_before" = "$tree_after" ] || fail "files appeared: $(comm -13 <(echo "$tree_before") <(echo "$tree_after") | tr '\n' ' ')"
echo "$name: --help, --version and unknown arguments answered without a display or a file"
