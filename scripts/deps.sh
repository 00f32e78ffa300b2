# Debian packages the build, the tests and the tools need; installed when missing.
# Sourced by scripts/run and scripts/test. (locales: the command-line tests build de_DE.UTF-8
# from its sources for their decimal-comma run.)
VELMORA_PACKAGES=(
  cmake ninja-build pkg-config g++ clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libxlsxwriter-dev
  python3-dev pybind11-dev python3-pybind11 python3-numpy python3-pytest
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libgl-dev fonts-liberation xvfb xauth poppler-utils
  desktop-file-utils locales
)

velmora_install_deps() {
  local missing=()
  local p
  for p in "${VELMORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
