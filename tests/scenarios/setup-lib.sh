# Shared by the scenario setups. A setup may run on an empty folder (the native run's fresh
# prefix) or on a copy of a booted Wine prefix.

# prefix_layout PREFIX: when PREFIX is not a prefix yet, the layout a new prefix gets (what the
# program itself would make on first use), so that a setup can add to it.
prefix_layout() {
  [ ! -d "$1/dosdevices" ] || return 0
  local user=${USER:-$(id -un)}
  mkdir -p "$1/dosdevices" "$1/drive_c/windows" "$1/drive_c/users/$user/Temp"
  ln -s ../drive_c "$1/dosdevices/c:"
  ln -s / "$1/dosdevices/z:"
}

# prefix_drive PREFIX LETTER: a further drive, kept inside the prefix so a copy stays whole.
prefix_drive() {
  mkdir -p "$1/drive_$2"
  ln -sfn "../drive_$2" "$1/dosdevices/$2:"
}
