# Shared by ./run and ./test: installs the Debian packages that are missing,
# configures and builds Morvane into build/, and builds the sample export's
# databases into build/samples-db/. Source it; do not run it.

MORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MORVANE_BUILD="$MORVANE_ROOT/build"
MORVANE_SAMPLE_DBS="$MORVANE_BUILD/samples-db"

MORVANE_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsqlite3-dev libsqlitecpp-dev sqlite3
  qt6-base-dev
  libgtest-dev
)

morvane_install_packages() {
  local missing=()
  local pkg
  for pkg in "${MORVANE_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "morvane: these packages are missing and there is no sudo to install them: ${missing[*]}" >&2
      return 1
    fi
  fi
  echo "morvane: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q || return 1
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" || return 1
}

morvane_build() {
  cmake -S "$MORVANE_ROOT" -B "$MORVANE_BUILD" -G Ninja >/dev/null || return 1
  cmake --build "$MORVANE_BUILD" || return 1
}

# The antenna-site and registration databases of the sample export, from the
# SQL under samples/databases/. Kept once built: a run changes them, as it
# changes the user's own.
morvane_sample_databases() {
  "$MORVANE_ROOT/scripts/sample-databases.sh" "$MORVANE_ROOT/samples/databases" "$MORVANE_SAMPLE_DBS"
}
