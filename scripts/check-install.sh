#!/bin/sh
# Installs the build into a scratch prefix and uses that copy as a user would: the installed
# tarsek-calc on an installed sample, the desktop entry and the AppStream data through their
# validators, and the installed tarsek started offscreen for a few seconds. The installed program
# must find its samples and manual through the prefix, keep wells in the user's data folder and
# leave the prefix untouched.
#   scripts/check-install.sh BUILD_DIR
set -eu
build=${1:?usage: check-install.sh BUILD_DIR}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarsek-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" || fail "cmake --install failed"

for f in bin/tarsek bin/tarsek-calc share/tarsek/samples/示例1.kvd share/tarsek/samples/示例1.sur \
         share/doc/tarsek/tarsek.qch share/doc/tarsek/copyright share/doc/tarsek/changelog.gz \
         share/applications/tarsek.desktop share/metainfo/org.tarsek.Tarsek.metainfo.xml \
         share/icons/hicolor/scalable/apps/tarsek.svg share/man/man1/tarsek.1.gz \
         share/man/man1/tarsek-calc.1.gz; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/tarsek.png
  file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $png is not ${size}x${size}"
done

# The installed tarsek-calc gives what the build's gives.
"$prefix/bin/tarsek-calc" well "$prefix/share/tarsek/samples/示例1.kvd" --method 0 > "$scratch/installed.json" \
  || fail "installed tarsek-calc failed"
"$build/bin/tarsek-calc" well "$prefix/share/tarsek/samples/示例1.kvd" --method 0 > "$scratch/built.json"
grep -q '"wellNo": "示例1"' "$scratch/installed.json" || fail "installed tarsek-calc did not read 示例1"
cmp -s "$scratch/installed.json" "$scratch/built.json" || fail "installed and built tarsek-calc differ"

desktop-file-validate "$prefix/share/applications/tarsek.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.tarsek.Tarsek.metainfo.xml" > "$scratch/as.log" \
  || { cat "$scratch/as.log"; fail "appstreamcli validate"; }

# The installed program as a first-time user: an empty home, offscreen.
home=$scratch/home
mkdir -p "$home" "$scratch/run"
chmod 700 "$scratch/run"
find "$prefix" -printf '%p %s %T@\n' | sort > "$scratch/before"
set +e
env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$scratch/run" LANG=C.UTF-8 \
  QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/wqy \
  timeout 5 "$prefix/bin/tarsek" > "$scratch/run.log" 2>&1
rc=$?
set -e
[ "$rc" -eq 124 ] || { cat "$scratch/run.log"; fail "installed tarsek ended by itself (exit $rc) within 5 s"; }
[ -f "$home/.local/share/Tarsek/示例1.kvd" ] || fail "the sample wells were not put into the user's data folder"
# Pictures of every view and of the manual from the installed copy: samples and help via the prefix.
env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$scratch/run" LANG=C.UTF-8 \
  QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/wqy \
  timeout 120 "$prefix/bin/tarsek" --screenshots "$scratch/shots" > "$scratch/shots.log" 2>&1 \
  || { cat "$scratch/shots.log"; fail "installed tarsek --screenshots failed"; }
[ -s "$scratch/shots/10-help-survey-depth.png" ] || fail "the installed program did not open its manual"
find "$prefix" -printf '%p %s %T@\n' | sort > "$scratch/after"
cmp -s "$scratch/before" "$scratch/after" || { diff "$scratch/before" "$scratch/after"; fail "the program wrote into its prefix"; }

echo "check-install: installed copy in a scratch prefix works (calc, desktop entry, metainfo, start, samples, manual)"
