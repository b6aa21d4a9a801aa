#!/bin/sh
# make windows: dist/zivor.exe, one file with Qt and the C++ runtime linked in, and
# dist/zivor-<version>-setup.exe, its installer. The static Qt comes from the cache
# (scripts/windows_qt.sh builds it there the first time); the icon's pictures from the host
# build, whose icon tool runs here.
# Usage: scripts/windows.sh <host build folder> <Windows build folder> <Qt cache folder> [jobs]
set -eu
cd "$(dirname "$0")/.."
host="$1"
bau="$2"
cache="$3"
jobs="${4:-$(nproc)}"

fehler() { echo "windows.sh: $*" >&2; exit 1; }

qt="$(sh scripts/windows_qt.sh "$cache" "$jobs")"

cmake -S . -B "$host"
cmake --build "$host" -j "$jobs" --target symbolbilder

cmake -S . -B "$bau" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZIVOR_SYMBOLBILDER="$(cd "$host" && pwd)/symbolbilder"
cmake --build "$bau" -j "$jobs" --target zivor installer

# Only Windows' own libraries may be left for the exe to load.
importe="$(x86_64-w64-mingw32-objdump -p "$bau/zivor.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -f)"
fremd="$(echo "$importe" | grep -viE '^(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comdlg32|imm32|winmm|ws2_32|version|uxtheme|dwmapi|shlwapi|shcore|setupapi|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|dcomp|netapi32|userenv|winspool\.drv|wtsapi32|authz|mpr|opengl32|crypt32|secur32|ntdll|rpcrt4|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$' || true)"
[ -z "$fremd" ] || fehler "zivor.exe needs libraries that Windows does not bring: $fremd"

version="$(sed -n 's/^project(zivor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
mkdir -p dist
rm -f dist/zivor.exe dist/zivor-*-setup.exe
cp "$bau/zivor.exe" dist/zivor.exe
cp "$bau/zivor-$version-setup.exe" "dist/zivor-$version-setup.exe"
echo "Windows-Bibliotheken, die zivor.exe lädt:" $importe
ls -l dist/zivor.exe "dist/zivor-$version-setup.exe"
