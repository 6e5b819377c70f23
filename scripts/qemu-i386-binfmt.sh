#!/usr/bin/env bash
# Lets a kernel that refuses 32-bit programs run them through the user-mode
# emulator qemu-i386-static (Debian's qemu-user-static): registers it with
# binfmt_misc for i386 ELF files, or removes that registration.
#   scripts/qemu-i386-binfmt.sh register|unregister|status
# Registering needs root (or a user namespace of one's own, where the
# kernel keeps a private binfmt_misc). On a kernel that runs 32-bit programs
# itself there is nothing to do: register then changes nothing.
set -euo pipefail
name=nmnm-qemu-i386
dir=/proc/sys/fs/binfmt_misc
emulator=/usr/bin/qemu-i386-static
# ELF, 32-bit, little-endian, executable or shared object, machine 386: the
# pattern qemu's own binfmt script uses.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

mounted() { [ -e "$dir/register" ] || mount -t binfmt_misc binfmt_misc "$dir"; }

case "${1:-}" in
  register)
    [ -x "$emulator" ] || { echo "qemu-i386-binfmt: $emulator is missing; run scripts/setup.sh" >&2; exit 2; }
    if [ "${2:-}" != --always ] && [ ! -e "$dir/$name" ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
      exit 0  # the kernel runs 32-bit programs itself
    fi
    [ -e "$dir/$name" ] && exit 0
    # F: the emulator is opened now, so it is found from any mount namespace.
    if ! { mounted && printf ':%s:M::%s:%s:%s:F' "$name" "$magic" "$mask" "$emulator" >"$dir/register"; } 2>/dev/null; then
      echo "qemu-i386-binfmt: cannot register $emulator with binfmt_misc: run this as root" >&2
      exit 1
    fi
    ;;
  unregister)
    if [ -e "$dir/$name" ]; then echo -1 >"$dir/$name"; fi  # the mount stays, as other entries may use it
    ;;
  status)
    if [ -e "$dir/$name" ]; then echo "qemu-i386-binfmt: 32-bit programs run through $emulator"; else
      echo "qemu-i386-binfmt: not registered"; exit 1; fi
    ;;
  *)
    echo "usage: scripts/qemu-i386-binfmt.sh register [--always]|unregister|status" >&2
    exit 2
    ;;
esac
