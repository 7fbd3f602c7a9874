#!/usr/bin/env bash
# Installs the Debian packages a make target needs, when they are missing.
# As root it runs apt-get; otherwise it prints the apt-get line to run.
set -euo pipefail

profile="${1:-build}"
packages=(cmake g++ make pkg-config libx11-dev libx11-xcb-dev libxext-dev libxrandr-dev libxinerama-dev libstb-dev libgtest-dev libgmock-dev libbenchmark-dev
          libcurl4-openssl-dev)
# The cross compiler for velmora.exe (posix threads for std::thread).
windows=(g++-mingw-w64-x86-64-posix)
case "$profile" in
  build) ;;
  # The id lists name the video adapter and the monitor's maker.
  run)  packages+=(xvfb xcompmgr x11-utils imagemagick pci.ids hwdata) ;;
  # The desktop tests run under openbox and under GNOME's compositor (mutter
  # with Xwayland, in its own D-Bus session).
  test) packages+=(xvfb xcompmgr x11-utils xdotool imagemagick "${windows[@]}" wine wine64 dpkg-dev lintian desktop-file-utils zip unzip
                   openbox mutter xwayland dbus-daemon wmctrl
                   # a node exporter and a Prometheus server, started by the remote-host
                   # tests (and the exporter for the parser's seed answers)
                   prometheus-node-exporter prometheus) ;;
  # The peers the overhead run compares with, when installed.
  bench) packages+=(xvfb xcompmgr x11-utils xdotool time conky-std gkrellm) ;;
  windows) packages+=("${windows[@]}") ;;
  # The quick gate rebuilds from a clean folder; the compiler cache makes
  # that a matter of seconds after the first time.
  check) packages+=(ccache) ;;
  # clang with libFuzzer and the sanitizer runtimes (-fsanitize=fuzzer).
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
  package) packages+=("${windows[@]}" zip) ;;
  # The Debian package: dpkg-shlibdeps finds its dependencies, lintian checks
  # it, desktop-file-validate its menu entries.
  package-deb) packages+=(dpkg-dev lintian desktop-file-utils) ;;
  *) echo "deps.sh: unknown profile '$profile' (build, run, test, check, bench, fuzz, windows, package or package-deb)" >&2; exit 2 ;;
esac
if [ -f "$(dirname "$0")/deps-extra.txt" ] && [ "$profile" = test ]; then
  while read -r p; do [ -n "$p" ] && [ "${p#\#}" = "$p" ] && packages+=("$p"); done < "$(dirname "$0")/deps-extra.txt"
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "These packages are missing. Install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
