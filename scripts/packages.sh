# Packages the suite needs; installed with apt-get when missing and running as root.
SUITE_PACKAGES=(cmake g++ make libgtest-dev pkg-config)
# The user-interface layer and the fonts that show Japanese, Chinese and pinyin.
SUITE_PACKAGES+=(qt6-base-dev qt6-qpa-plugins fonts-noto-cjk)
# Unihan (Japanese forms of simplified characters, speech readings) and its decompressor.
SUITE_PACKAGES+=(unicode-data bzip2)
# A virtual display to watch the programs on a machine without one (run.sh says how).
SUITE_PACKAGES+=(xvfb)

ensure_packages() {
  local missing=()
  for p in "${SUITE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
}

