#!/usr/bin/env bash
# Builds the Debian packages into build/debian-packages/ and prints their paths:
#   kelvora                   the program, kelvora-newdb, menu entry, man pages, user guide
#   libprynex1                the Prynex shared library
#   libprynex-dev             headers, CMake package, link, prynex-register, prynex-demo
#   kelvora-designer-plugins  the Qt Designer plugins of Prynex and Label3D
# packaging/debian/ holds the control file, changelog, copyright and, per
# package, the CMake install components it is made of. The steps are those of
# the distribution's own packaging helpers, done with dpkg-dev's tools on the
# normal build: install each package's components into its own tree, strip,
# compress documents, add copyright and changelog, shlibs and the ldconfig
# trigger for the library, dependencies from dpkg-shlibdeps, the control file
# from dpkg-gencontrol, md5sums, dpkg-deb. Extra CMake options go to the build.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD/packaging/debian
scripts/build.sh -DCMAKE_INSTALL_PREFIX=/usr "$@" >&2

work=$PWD/build/debian-work
out=$PWD/build/debian-packages
rm -rf "$work" "$out"
mkdir -p "$work/debian" "$out"
cp "$src/control" "$src/changelog" "$work/debian/"
cd "$work"

# The changelog names the version; it must be this build's.
project_version=$(sed -n 's/^project(Kelvora VERSION \([0-9.]*\).*/\1/p' ../../CMakeLists.txt)
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
if [ "${version%-*}" != "$project_version" ]; then
    echo "packaging/debian/changelog is at $version, the project at $project_version: add an entry" >&2
    exit 1
fi
packages=$(sed -n 's/^Package: //p' debian/control)

# Every install rule must belong to a package.
DESTDIR="$work/unpackaged" cmake --install ../ --component Unspecified >/dev/null
if [ -d "$work/unpackaged" ] && [ -n "$(find "$work/unpackaged" -type f)" ]; then
    echo "installed by no package (an install rule without COMPONENT):" >&2
    find "$work/unpackaged" -type f >&2
    exit 1
fi

for pkg in $packages; do
    root=debian/$pkg
    while read -r component; do
        [ -n "$component" ] || continue
        DESTDIR="$work/$root" cmake --install ../ --component "$component" >/dev/null
    done < "$src/$pkg.components"
    if [ ! -d "$root/usr" ]; then
        echo "package $pkg got no files (its components: $(tr '\n' ' ' < "$src/$pkg.components"))" >&2
        exit 1
    fi

    # Strip as dh_strip does: libraries and plugins to what linking needs,
    # programs of their symbols; neither keeps .comment and .note.
    while IFS= read -r -d '' f; do
        if file -b "$f" | grep -q 'ELF.*shared object' && [[ "$f" != */bin/* ]]; then
            strip --remove-section=.comment --remove-section=.note --strip-unneeded "$f"
        elif file -b "$f" | grep -q ELF; then
            strip --remove-section=.comment --remove-section=.note "$f"
        fi
    done < <(find "$root" -type f -print0)

    # Documents: larger ones compressed as dh_compress does, then the copyright
    # file and the changelog every package carries.
    doc=$root/usr/share/doc/$pkg
    mkdir -p "$doc"
    find "$doc" -type f -size +4k \( -name '*.md' -o -name '*.txt' \) -exec gzip -9n {} +
    cp "$src/copyright" "$doc/copyright"
    gzip -9nc "$src/changelog" > "$doc/changelog.Debian.gz"

    # Modes as dh_fixperms leaves them.
    find "$root" -type d -exec chmod 0755 {} +
    find "$root" -type f -exec chmod 0644 {} +
    find "$root" -type f \( -path '*/bin/*' \) -exec chmod 0755 {} +
    mkdir -p "$root/DEBIAN"
done

# The library: its shlibs entry (what a package linking to it must depend on)
# and the ldconfig trigger instead of maintainer scripts.
for lib in debian/libprynex*/usr/lib/*/libprynex.so.*.*; do
    pkg=$(echo "$lib" | cut -d/ -f2)
    soname=$(objdump -p "$lib" | sed -n 's/^ *SONAME *//p')
    name=${soname%.so.*}; major=${soname##*.so.}
    if [ "$pkg" != "${name}${major}" ]; then
        echo "$lib has the soname $soname but is in $pkg" >&2
        exit 1
    fi
    echo "$name $major $pkg (>= ${version%-*})" > "debian/$pkg/DEBIAN/shlibs"
    cp "$src/$pkg.triggers" "debian/$pkg/DEBIAN/triggers"
done

# SQLCipher is linked in statically: the kelvora package names its source version.
sqlcipher=$(dpkg-query -W -f='${source:Package} (= ${source:Version})' libsqlcipher-dev)

for pkg in $packages; do
    root=debian/$pkg
    mapfile -t elves < <(find "$root" -type f -exec sh -c 'file -b "$1" | grep -q ^ELF' _ {} \; -print)
    echo "misc:Depends=" > "debian/$pkg.substvars"
    if [ ${#elves[@]} -gt 0 ]; then
        # Sibling packages' DEBIAN/shlibs (libprynex1's) are found by dpkg-shlibdeps itself.
        dpkg-shlibdeps -T"debian/$pkg.substvars" "${elves[@]}"
    fi
    if grep -q 'sqlcipher:Built-Using' <(sed -n "/^Package: $pkg\$/,/^\$/p" debian/control); then
        echo "sqlcipher:Built-Using=$sqlcipher" >> "debian/$pkg.substvars"
    fi
    dpkg-gencontrol -p"$pkg" -P"$root" -T"debian/$pkg.substvars"
    (cd "$root" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | LC_ALL=C sort -z \
        | xargs -0 md5sum > DEBIAN/md5sums)
    chmod 0644 "$root"/DEBIAN/*
    dpkg-deb --root-owner-group -Zxz --build "$root" "$out" >/dev/null
done
ls "$out"/*.deb
