#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when any is missing.
set -euo pipefail

packages=(cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth
          libwine-dev nlohmann-json3-dev libcli11-dev librsvg2-bin python3 clang-format
          clang libclang-rt-14-dev pandoc)

# install_missing WHY [APT-OPTION...] -- PACKAGE...: installs those of the packages that are missing.
install_missing() {
    local why=$1 options=() missing=() package
    shift
    while [[ $1 != -- ]]; do
        options+=("$1")
        shift
    done
    shift
    for package; do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    ((${#missing[@]} > 0)) || return 0
    echo "setup: installing ${missing[*]}$why" >&2
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q "${options[@]}" "${missing[@]}"
}

install_missing "" -- "${packages[@]}"

# Wine runs the 32-bit host and plug-in through 32-bit Linux programs. A kernel booted without
# 32-bit emulation refuses them ("Exec format error"): scripts/wine-env.sh then runs Wine in a
# virtual machine that can (scripts/wine-vm.sh), whose emulator, kernel and boot image come from
# here. qemu's user-mode emulator, which an earlier setup registered for them, is no way: Wine's
# processes crash or hang in it, and it would hide the kernel's refusal. Its entry is switched off,
# for the whole machine, not removed: `echo 1 >/proc/sys/fs/binfmt_misc/qemu-i386` switches it on.
# In a container /proc/sys is read-only: the entry stays on there, and Wine runs in the virtual
# machine, which needs nothing of the container but its files.
binfmt=/proc/sys/fs/binfmt_misc/qemu-i386
if grep -qsx enabled "$binfmt" && grep -qsx 'interpreter /usr/bin/qemu-i386-static' "$binfmt"; then
    if [[ -w $binfmt ]]; then
        echo "setup: switching off qemu-i386 as the runner of 32-bit programs" >&2
        echo 0 >"$binfmt"
    else
        echo "setup: qemu-i386 runs 32-bit programs and $binfmt is read-only (a container):" \
            "it stays on, and Wine runs in a virtual machine" >&2
    fi
fi
if bash "$(dirname "$0")/wine-vm.sh" --needed; then
    # INITRD=No: the machine boots with its own small image, not one made for this kernel.
    INITRD=No install_missing ", for a virtual machine that runs Wine" --no-install-recommends -- \
        qemu-system-x86 linux-image-amd64 busybox-static cpio
    bash "$(dirname "$0")/wine-vm.sh" --prepare
fi

# The CI workflows' linter, from the npm registry at pinned versions (scripts/lint-workflows.sh);
# Node and npm come from Debian where the machine has no npm of its own.
command -v npm >/dev/null || install_missing ", for the workflows' linter" -- nodejs npm
bash "$(dirname "$0")/lint-workflows.sh" --install
