# Installs the Debian packages named that are missing: through apt-get as
# root or with password-less sudo, otherwise it names them and fails.
install_packages() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    if [[ $(id -u) -eq 0 ]]; then
      export DEBIAN_FRONTEND=noninteractive
      apt-get update -qq
      apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
      sudo apt-get update -qq
      sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
      echo "Please install the missing packages first:" >&2
      echo "  sudo apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
}
