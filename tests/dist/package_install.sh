#!/usr/bin/env bash
# Installs the Debian package from DIST_DIR with dpkg -i into a minimal Debian tree made by
# debootstrap, runs the installed evaluator there on the example and on every golden case, and
# the installed judge adapter on the example (as Kattis and as JSON) and on its own golden
# cases, checks what the package put where, and removes it again. The tree is made once under
# CACHE_DIR (it needs the Debian package mirror) and reused by later runs; without debootstrap
# or a reachable mirror the test says so and is skipped.
#   tests/dist/package_install.sh DIST_DIR CACHE_DIR
# DEBIAN_MIRROR overrides the mirror taken from apt's sources.
set -euo pipefail
source "$(dirname "$0")/root.sh"
dist=$1
mkdir -p "$2"
cache=$(cd "$2" && pwd)

debs=("$dist"/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $dist: run make dist first"
deb=${debs[0]}
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)

skip() {
  echo "SKIPPED the package test: $*"
  exit 0
}
command -v debootstrap >/dev/null || skip "debootstrap is not installed (Debian package debootstrap)"
[ "$(id -u)" = 0 ] || skip "debootstrap and dpkg -i into a tree need root"

suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
mirror=${DEBIAN_MIRROR:-}
if [ -z "$mirror" ]; then
  mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -v security | head -n 1 || true)
fi
if [ -z "$mirror" ]; then
  mirror=$(sed -n 's/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\) .*/\2/p' /etc/apt/sources.list \
    2>/dev/null | grep -v security | head -n 1 || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

target=$cache/$suite
if [ ! -f "$target.done" ]; then
  wget -q -T 15 -t 1 --spider "$mirror/dists/$suite/Release" ||
    skip "the Debian mirror $mirror cannot be reached, and no tree from an earlier run is in $cache"
  # A tree left by an interrupted run may still have file systems mounted inside.
  { grep -o " $target/[^ ]*" /proc/mounts || true; } | sort -r | xargs -r -n 1 umount -l
  rm -rf --one-file-system "$target"
  mkdir -p "$cache/downloads"
  echo "debootstrap --variant=minbase $suite from $mirror into $target (log: $target.log)"
  debootstrap --variant=minbase --cache-dir="$cache/downloads" "$suite" "$target" "$mirror" \
    >"$target.log" 2>&1 || {
    tail -n 20 "$target.log"
    fail "debootstrap failed"
  }
  touch "$target.done"
else
  echo "reusing the Debian tree $target"
fi

in_tree() { chroot "$target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"; }

# An earlier run that stopped half way may have left the package installed.
in_tree dpkg --purge "$package" >/dev/null 2>&1
cp "$deb" "$target/tmp/"
in_tree dpkg -i "/tmp/${deb##*/}"
rm "$target/tmp/${deb##*/}"
[ "$(in_tree dpkg-query -W -f '${Version}' "$package")" = "$version" ] ||
  fail "dpkg does not list $package $version as installed"

installed=$(in_tree dpkg -L "$package")
for file in /usr/bin/Ozi18Zelmiranke /usr/share/man/man1/Ozi18Zelmiranke.1.gz \
  /usr/bin/zelmiranke-judge /usr/share/man/man1/zelmiranke-judge.1.gz \
  "/usr/share/doc/$package/README.md" "/usr/share/doc/$package/docs/judges.md"; do
  grep -qx "$file" <<<"$installed" || fail "the package does not install $file"
done
for program in "$dist"/*; do
  name=${program##*/}
  if [ -x "$program" ] && [[ $name != *.* ]]; then
    cmp -s "$program" "$target/usr/bin/$name" || fail "/usr/bin/$name is not the one in $dist"
  fi
done
for name in Ozi18Zelmiranke zelmiranke-judge; do
  [ "$(in_tree sh -c "command -v $name")" = "/usr/bin/$name" ] || fail "$name is not found on the PATH"
done
# The programs' version and the package's come from one place (CMake's project VERSION). The
# evaluator names it on standard error: its standard output holds the usage text alone.
for name in zelmiranke-view zelmiranke-judge; do
  [ "$(in_tree "/usr/bin/$name" --version)" = "$name ${version%-*}" ] ||
    fail "$name --version does not name the package's version ${version%-*}"
done
[ "$(in_tree /usr/bin/Ozi18Zelmiranke --version 2>&1 >/dev/null)" = "Ozi18Zelmiranke ${version%-*}" ] ||
  fail "Ozi18Zelmiranke --version does not name the package's version ${version%-*}"
echo "installed $package $version: $(grep -c . <<<"$installed") paths"

run_example "$target" /usr/bin/Ozi18Zelmiranke /tmp/example
rm -rf "$target/tmp/example"
golden_in_root "$target" /usr/bin/Ozi18Zelmiranke /tmp/cases
run_judge_example "$target" /usr/bin/zelmiranke-judge /tmp/judge-example
golden_in_root "$target" /usr/bin/zelmiranke-judge /tmp/judge-cases "$repo/tests/judge-cases"

in_tree dpkg --purge "$package" >/dev/null 2>&1
for name in Ozi18Zelmiranke zelmiranke-judge; do
  [ ! -e "$target/usr/bin/$name" ] || fail "dpkg --purge left /usr/bin/$name"
done
echo "removed $package again"
