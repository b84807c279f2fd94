#!/usr/bin/env bash
# Runs the file store's read-only folder and full disk tests on real file systems: a read-only
# bind mount and a 16 KiB tmpfs, made in a private mount namespace that vanishes afterwards.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
binary="${TOLV_TEST_PLATFORM:-$here/build/dev/tests/test_platform}"
[ -x "$binary" ] || { echo "build the dev preset first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/ro" "$work/full"
printf '"10000,00"\r\n' > "$work/ro/Data1"

unshare_args=(-m)
[ "$(id -u)" -eq 0 ] || unshare_args=(-r -m)
if ! unshare "${unshare_args[@]}" true 2>/dev/null; then
  echo "SKIPPED: this machine allows no private mounts (unshare ${unshare_args[*]} failed); the read-only and full-disk tests did not run."
  exit 0
fi
# shellcheck disable=SC2016
unshare "${unshare_args[@]}" bash -c '
  set -e
  mount --make-rprivate / 2>/dev/null || true
  mount --bind "$1/ro" "$1/ro"
  mount -o remount,bind,ro "$1/ro"
  mount -t tmpfs -o size=16k tolvfull "$1/full"
  QT_QPA_PLATFORM=offscreen TOLV_TEST_READONLY_DIR="$1/ro" TOLV_TEST_FULL_DIR="$1/full" \
    "$2" --gtest_filter="FolderStore.ReadOnlyFolderGivesPermission:FolderStore.FullDiskGivesNoSpaceAndKeepsTheOldFile" \
    --gtest_brief=1
' _ "$work" "$binary"
