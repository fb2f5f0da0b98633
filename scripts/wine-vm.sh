#!/usr/bin/env bash
# Runs a command in a virtual machine that can run 32-bit programs, for a kernel that cannot (one
# booted without 32-bit emulation): scripts/wine-env.sh runs itself through this script there.
#
#   scripts/wine-vm.sh COMMAND ARGS...   the command, in the same folder and environment
#   scripts/wine-vm.sh --prepare         only builds the machine's boot image (scripts/setup.sh)
#   scripts/wine-vm.sh --needed          succeeds when this machine cannot run 32-bit programs
#
# The machine (qemu-system-x86_64, emulated: no KVM needed) boots Debian's kernel, with this
# machine's own file system as its root, shared read-write; /tmp is the machine's own, but for the
# entries this machine's /tmp held when it booted, which are shared too. Its standard output and
# error come back as the command writes them, its exit status as this script's; its standard
# input is empty.
set -euo pipefail

# A 32-bit program that runs only through qemu's user-mode emulator, registered for them, does not
# count: Wine does not survive it (scripts/setup.sh switches it off).
if [[ ${1:-} == --needed ]]; then
    ! /usr/lib/wine/wineserver32 --version >/dev/null 2>&1 ||
        grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386
    exit
fi

root=$(cd "$(dirname "$0")/.." && pwd)
image_dir=$root/build/wine-vm
modules=(netfs fscache 9pnet 9p virtio_ring virtio 9pnet_virtio virtio_pci_modern_dev
         virtio_pci_legacy_dev virtio_pci virtio_console)

kernel_version() {
    local kernel version
    for kernel in $(ls -v /boot/vmlinuz-* 2>/dev/null | tac); do
        version=${kernel#/boot/vmlinuz-}
        [[ -f /lib/modules/$version/kernel/fs/9p/9p.ko ]] && { echo "$version"; return; }
    done
    echo "wine-vm: no kernel with 9p modules under /boot: run scripts/setup.sh" >&2
    exit 1
}

# The boot image: busybox, the modules for the shared file system and the output ports, and /init,
# which mounts the shared root, runs the job given on the kernel's command line and powers off.
prepare() {
    local version work module
    version=$(kernel_version)
    if [[ -f $image_dir/initrd.img && $image_dir/initrd.img -nt $0 &&
          $(cat "$image_dir/kernel-version" 2>/dev/null) == "$version" ]]; then
        return
    fi
    mkdir -p "$image_dir"
    work=$(mktemp -d "$image_dir/initrd.XXXXXX")
    mkdir -p "$work"/{bin,dev,proc,sys,newroot,modules}
    cp /bin/busybox "$work/bin/busybox"
    for module in "${modules[@]}"; do
        cp "$(modinfo -k "$version" -n "$module")" "$work/modules/$module.ko"
    done
    cat >"$work/init" <<EOF
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
for module in ${modules[*]}; do insmod /modules/\$module.ko; done
job=\$(sed -n 's/.*wine_vm_job=\([^ ]*\).*/\1/p' /proc/cmdline)
# cache=loose: through the page cache, reads return all they ask for, also on the non-blocking
# descriptors wineserver opens (uncached ones stop at one message, and Wine's loader does not read
# again); and the many small reads and look-ups of Wine's processes go much faster.
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=loose root /newroot
for dir in proc sys dev; do mount --move /\$dir /newroot/\$dir; done
mkdir -p /newroot/dev/pts /newroot/dev/shm /newroot/dev/virtio-ports
mount -t devpts devpts /newroot/dev/pts
mount -t tmpfs shm /newroot/dev/shm
mount -t tmpfs run /newroot/run
# The machine's own /tmp, where X and Wine make their sockets: the shared file system has none.
# What this machine's /tmp held at boot (a clone of the project, say) shows through it, bound one
# entry at a time, but for X's and Wine's own.
mkdir /hosttmp
mount --bind /newroot/tmp /hosttmp
mount -t tmpfs -o mode=1777 tmp /newroot/tmp
for entry in /hosttmp/* /hosttmp/.[!.]*; do
    [ -e "\$entry" ] || continue
    name=\${entry##*/}
    case "\$name" in .X11-unix|.ICE-unix|.X*-lock|.wine-*) continue ;; esac
    if [ -d "\$entry" ]; then mkdir "/newroot/tmp/\$name"; else touch "/newroot/tmp/\$name"; fi
    mount --bind "\$entry" "/newroot/tmp/\$name"
done
for port in /newroot/sys/class/virtio-ports/*; do
    ln -s ../\${port##*/} /newroot/dev/virtio-ports/\$(cat \$port/name)
done
ip link set lo up
hostname "\$(cat /newroot/etc/hostname 2>/dev/null || echo localhost)"
chroot /newroot /bin/bash -c '. "\$0/command"' "\$job" </dev/null \
    >/newroot/dev/virtio-ports/stdout 2>/newroot/dev/virtio-ports/stderr
echo \$? >/newroot\$job/status
sync
poweroff -f
EOF
    chmod +x "$work/init"
    (cd "$work" && find . | cpio -o -H newc --quiet) | gzip -1 >"$work.img"
    rm -rf "$work"
    echo "$version" >"$image_dir/kernel-version"
    mv "$work.img" "$image_dir/initrd.img"
}

prepare
[[ ${1:-} == --prepare ]] && exit 0

job=$(mktemp -d "$image_dir/job.XXXXXX")
qemu_pid=
copy_pids=()
finish() {
    [[ -n $qemu_pid ]] && kill "$qemu_pid" 2>/dev/null
    # A copy still waiting for the machine to open its end ends here.
    for stream in stdout stderr; do : <>"$job/$stream"; done
    wait "${copy_pids[@]}" 2>/dev/null || true
    rm -rf "$job"
}
trap finish EXIT
for signal in TERM INT HUP; do
    trap "echo 'wine-vm: stopped by SIG$signal' >&2; exit 1" "$signal"
done
{
    export -p
    printf 'cd %q || exit 1\n' "$PWD"
    printf 'exec'
    printf ' %q' "$@"
    printf '\n'
} >"$job/command"

# Files keep the owners the command gives them, when this script may give them.
security_model=none
[[ $(id -u) == 0 ]] && security_model=passthrough
# The output ports write to pipes copied to this script's own standard output and error.
mkfifo "$job/stdout" "$job/stderr"
cat "$job/stdout" &
copy_pids+=($!)
cat "$job/stderr" >&2 &
copy_pids+=($!)
# smap=off: with it, this emulator faults the IRET by which Wine's 32-bit code returns from its own
# dispatcher. mitigations=off and the TSC as clock make system calls and clock reads much cheaper.
qemu-system-x86_64 -nodefaults -no-user-config -display none -monitor none \
    -accel tcg,thread=multi -cpu max,smap=off -smp 2 -m 3G -no-reboot \
    -kernel "/boot/vmlinuz-$(cat "$image_dir/kernel-version")" -initrd "$image_dir/initrd.img" \
    -append "console=ttyS0 quiet panic=-1 mitigations=off clocksource=tsc tsc=reliable wine_vm_job=$job" \
    -serial "file:$job/console" \
    -fsdev "local,id=root,path=/,security_model=$security_model,multidevs=remap" \
    -device virtio-9p-pci,fsdev=root,mount_tag=root \
    -device virtio-serial-pci \
    -chardev file,id=stdout,path=$job/stdout,append=on \
    -device virtserialport,chardev=stdout,name=stdout \
    -chardev file,id=stderr,path=$job/stderr,append=on \
    -device virtserialport,chardev=stderr,name=stderr \
    </dev/null &
qemu_pid=$!
wait "$qemu_pid" || true
qemu_pid=
if [[ ! -s $job/status ]]; then
    echo "wine-vm: the virtual machine stopped without running the command; its console:" >&2
    cat "$job/console" >&2
    exit 1
fi
exit "$(cat "$job/status")"
