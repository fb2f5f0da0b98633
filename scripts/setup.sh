#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when any is missing.
set -euo pipefail

packages=(cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth
          libwine-dev nlohmann-json3-dev libcli11-dev librsvg2-bin python3 clang-format
          clang libclang-rt-14-dev pandoc)

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
    echo "setup: installing ${missing[*]}" >&2
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q "${missing[@]}"
fi

# Wine runs the 32-bit host and plug-in through 32-bit Linux programs. A kernel booted without
# 32-bit emulation refuses them ("Exec format error"): scripts/wine-env.sh then runs Wine in a
# virtual machine that can (scripts/wine-vm.sh), whose emulator, kernel and boot image come from here.
# qemu's user-mode emulator, which an earlier setup registered for them, is no way: Wine's processes
# crash or hang in it, and it would hide the kernel's refusal.
binfmt=/proc/sys/fs/binfmt_misc/qemu-i386
if grep -qsx 'interpreter /usr/bin/qemu-i386-static' "$binfmt"; then
    echo -1 >"$binfmt"
fi
if bash "$(dirname "$0")/wine-vm.sh" --needed; then
    missing=()
    for package in qemu-system-x86 linux-image-amd64 busybox-static cpio; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    if ((${#missing[@]} > 0)); then
        echo "setup: installing ${missing[*]}, for a virtual machine that runs Wine" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q
        # INITRD=No: the machine boots with its own small image, not one made for this kernel.
        INITRD=No apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    bash "$(dirname "$0")/wine-vm.sh" --prepare
fi
