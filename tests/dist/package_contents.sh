#!/usr/bin/env bash
# What the Debian package holds, checked without installing it: every program has its manual
# page, and every page a manual page refers to (name(1)) is shipped, the copyright file and the
# Debian changelog are there and the changelog's first entry
# is the package's version, every relative link of the shipped pages leads to a shipped file,
# and lintian reports no error and no warning (skipped, and said so, without lintian).
#   tests/dist/package_contents.sh DIST_DIR WORK_DIR
set -euo pipefail
source "$(dirname "$0")/root.sh"
dist=$1 work=$2

debs=("$dist"/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $dist: run make dist first"
deb=${debs[0]}
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)
rm -rf "$work"
mkdir -p "$work"
dpkg-deb -x "$deb" "$work"
doc=$work/usr/share/doc/$package

for file in copyright changelog.Debian.gz README.md; do
  [ -f "$doc/$file" ] || fail "the package has no /usr/share/doc/$package/$file"
done
for program in "$work"/usr/bin/*; do
  name=${program##*/}
  [ -f "$work/usr/share/man/man1/$name.1.gz" ] || fail "the package has no manual page for $name"
done
for page in "$work"/usr/share/man/man1/*.1.gz; do
  while read -r name; do
    [ -f "$work/usr/share/man/man1/$name.1.gz" ] ||
      fail "${page##*/} refers to $name(1), which the package does not ship"
  done < <(gzip -dc "$page" | sed -n 's/^\.BR \([A-Za-z0-9_-]*\) (1).*/\1/p')
done
first=$(gzip -dc "$doc/changelog.Debian.gz" | head -n 1)
[[ $first == "$package ($version) "* ]] ||
  fail "the changelog's first entry is not $package $version: $first"
echo "manual pages, copyright and changelog: present ($package $version)"

# Links outside code blocks, [text](target) and ![alt](target); web addresses and anchors
# within a page need no file.
links=0
while IFS= read -r page; do
  while IFS= read -r target; do
    target=${target%%#*}
    case $target in "" | *://* | mailto:*) continue ;; esac
    [ -e "$(dirname "$page")/$target" ] ||
      fail "${page#"$work"} links $target, which the package does not ship"
    links=$((links + 1))
  done < <(awk '/^```/ { code = !code; next } !code' "$page" |
    grep -o '\]([^)]*)' | sed 's/^](\(.*\))$/\1/')
done < <(find "$doc" -name '*.md')
echo "shipped pages: $links relative links, none dangling"

if command -v lintian >/dev/null; then
  # The tags are on standard output; root gets a notice on standard error that says nothing.
  lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2) ||
    fail "lintian reports errors or warnings"
  echo "lintian: no errors, no warnings"
else
  echo "SKIPPED lintian: not installed (Debian package lintian)"
fi
rm -rf "$work"
