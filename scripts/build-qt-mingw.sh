#!/usr/bin/env bash
# build-qt-mingw.sh [prefix]: builds, from Debian 12's own source packages, the Qt for Windows that
# scripts/windows.sh builds against when no ready one is at hand: Qt 6.4.2 (qtbase: Core, Gui,
# Widgets, PrintSupport, Test, the Windows platform plugin and styles) and libjpeg-turbo (the IJG
# API, version 62), cross-compiled with MinGW-w64 (posix threads, which Qt needs) against Debian's
# own Qt 6.4.2 host tools. About an hour on 2 cores: a fallback for a machine without the
# ready-made prefix, not a step of the test command.
#   prefix  where to install (default build/windows/qt6-mingw64, where scripts/windows.sh looks)
# The sources and the build stay in build/windows/qt-work; run it again to resume.
# Then: QUILVAR_MINGW_PREFIX=<prefix> scripts/windows.sh, or leave the default prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "${1:-$root/build/windows/qt6-mingw64}")
work=$root/build/windows/qt-work
toolchain=$root/cmake/mingw64.cmake
qt_source_version=6.4.2+dfsg-10

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build cmake perl \
    qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils >/dev/null
mkdir -p "$work" "$prefix"
cd "$work"

# The source packages through an apt state of this folder's own that adds deb-src to the
# machine's archive; the machine's apt configuration is left as it is.
if [ ! -d qtbase ] || [ ! -d jpeg ]; then
    apt_dir=$work/apt
    mkdir -p "$apt_dir"/{lists/partial,cache/archives/partial,etc/sources.list.d}
    sed 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources \
        >"$apt_dir/etc/sources.list.d/debian.sources"
    cat >"$apt_dir/apt.conf" <<CONF
Dir::State::Lists "$apt_dir/lists"; Dir::Cache "$apt_dir/cache";
Dir::Etc::SourceList "/dev/null"; Dir::Etc::SourceParts "$apt_dir/etc/sources.list.d";
CONF
    export APT_CONFIG=$apt_dir/apt.conf
    apt-get update -qq
    if [ ! -d qtbase ]; then
        apt-get source -qq --download-only "qt6-base=$qt_source_version"
        dpkg-source -x "qt6-base_$qt_source_version.dsc" qtbase >/dev/null
    fi
    if [ ! -d jpeg ]; then
        apt-get source -qq --download-only libjpeg-turbo
        dpkg-source -x libjpeg-turbo_*.dsc jpeg >/dev/null
    fi
    unset APT_CONFIG
fi

# libjpeg-turbo: the IJG API, version 62, as on Linux. Without SIMD it needs no assembler.
if [ ! -f "$prefix/lib/libjpeg.dll.a" ]; then
    cmake -S jpeg -B jpeg-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DWITH_SIMD=OFF \
        -DENABLE_STATIC=OFF -DWITH_TURBOJPEG=OFF >/dev/null
    cmake --build jpeg-build -j"$(nproc)" >/dev/null
    cmake --install jpeg-build >/dev/null
fi

# Qt: what a Widgets program that prints needs. Tablet events need a header that Debian's source
# package leaves out; OpenGL, D-Bus, network, SQL and XML are not used; the program decodes its
# JPEG pictures with libjpeg itself.
if [ ! -f "$prefix/bin/Qt6Widgets.dll" ]; then
    # Qt 6.4.2 builds its DirectWrite font engine and database only together with Direct2D, while
    # the print support and the Windows platform plugin use them whenever DirectWrite is on:
    # without Direct2D they fail to link. Both need DirectWrite alone.
    sed -i 's/QT_FEATURE_direct2d AND QT_FEATURE_directwrite/QT_FEATURE_directwrite/' \
        qtbase/src/gui/CMakeLists.txt
    sed -i 's/QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/QT_CONFIG(directwrite)/' \
        qtbase/src/gui/text/windows/qwindowsfontdatabasebase.cpp
    mkdir -p qt-build
    (
        cd qt-build
        ../qtbase/configure -prefix "$prefix" -release -shared -xplatform win32-g++ \
            -qt-host-path /usr -nomake examples -nomake tests -no-opengl -no-dbus \
            -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent \
            -no-feature-tabletevent -no-feature-direct2d -no-feature-vulkan -qt-zlib -qt-libpng \
            -no-libjpeg -no-gif -qt-pcre -qt-freetype -qt-harfbuzz -qt-doubleconversion -no-icu \
            -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1
        cmake --build . --parallel "$(nproc)" >build.log 2>&1
        cmake --install . >install.log 2>&1
    )
fi
find "$prefix" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
echo "build-qt-mingw: Qt for Windows in $prefix"
