# ./vum on a machine without apt-get (another distribution, or one set up by hand): it installs
# nothing, goes on when what a command needs is there, and otherwise names what is missing in
# one line on standard error and stops.
#   vum_without_apt.sh <source dir>
set -euo pipefail
vum=$1/vum
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# path_without <name> <program>...: a folder of links to every program here except apt's
# and those named; its path is printed.
path_without() {
  local folder=$work/$1 dir program name
  shift
  mkdir -p "$folder"
  for dir in /usr/local/bin /usr/bin /bin; do
    for program in "$dir"/*; do
      name=${program##*/}
      case " apt apt-get dpkg-query $* " in *" $name "*) continue ;; esac
      [ -e "$folder/$name" ] || ln -s "$program" "$folder/$name"
    done
  done
  echo "$folder"
}

run() { # PATH, arguments...: sets status, out, err
  local path=$1
  shift
  set +e
  env PATH="$path" bash "$vum" "$@" >"$work/out" 2>"$work/err"
  status=$?
  set -e
  out=$(cat "$work/out") err=$(cat "$work/err")
}

everything=$(path_without everything)
run "$everything" setup play
[ "$status" -eq 0 ] || fail "with all there, 'setup play' ended with $status: $err"
[ -z "$err$out" ] || fail "with all there, 'setup play' said: $out $err"
run "$everything" setup test
[ "$status" -eq 0 ] || fail "with all there, 'setup test' ended with $status: $err"

no_cmake=$(path_without no_cmake cmake)
run "$no_cmake" setup play
[ "$status" -eq 1 ] || fail "without cmake, 'setup play' ended with $status"
[ "$(wc -l <<<"$err")" -eq 1 ] || fail "without cmake, more than one line: $err"
[[ "$err" == *"missing for 'play': cmake."* ]] || fail "without cmake, cmake is not named: $err"

no_compiler=$(path_without no_compiler c++ g++ clang++)
run "$no_compiler" setup play
[ "$status" -eq 1 ] || fail "without a compiler, 'setup play' ended with $status"
[[ "$err" == *"c++ or g++ or clang++"* ]] || fail "without a compiler, it is not named: $err"

# Qt hidden from CMake, as on a machine without it.
echo 'set(CMAKE_DISABLE_FIND_PACKAGE_Qt6 ON)' >"$work/no-qt.cmake"
CMAKE_TOOLCHAIN_FILE=$work/no-qt.cmake run "$everything" setup play
[ "$status" -eq 1 ] || fail "without Qt, 'setup play' ended with $status"
[ "$(wc -l <<<"$err")" -eq 1 ] || fail "without Qt, more than one line: $err"
[[ "$err" == *"Qt 6"* && "$err" != *SimpleIni* ]] || fail "without Qt, the line does not name Qt alone: $err"
# The fuzz targets do not need Qt.
CMAKE_TOOLCHAIN_FILE=$work/no-qt.cmake run "$everything" setup fuzz
[ "$status" -eq 0 ] || fail "without Qt, 'setup fuzz' ended with $status: $err"

[[ "$out$err" != *"apt-get: not found"* ]] || fail "apt-get was called"
echo "./vum without apt-get: goes on when all is there, names what is missing"
