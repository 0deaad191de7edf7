#!/usr/bin/env bash
# The game as a player gets it from the Debian package. Validates the launcher
# and the metainfo, builds the package from the build tree, holds it to
# lintian (no error, no warning) and checks what it depends on, installs it
# here with apt, and starts the installed game under
# Xvfb as an ordinary user, who cannot write the install folder: the settings
# must land in that user's configuration folder and be read back at the next
# start, and Qt's own dialogs must come up in Japanese.
#
# Runs as root (apt, a throwaway user) after scripts/test.sh has built build/.
# Leaves nothing behind: the package is purged and the user removed.
# Screenshots and the package are kept in build/artifacts/package/.
#
#   package.sh                          the whole check
#   package.sh --player WORK PROBE      the player's part; run by the check
#                                       itself, as the throwaway user, under Xvfb
set -euo pipefail

fail() { echo "package: FAIL: $*" >&2; exit 1; }
note() { echo "package: $*"; }

# The xdotool helpers; the player's copy of this script has them beside it.
here=$(dirname "$(realpath "$0")")
if [ -f "$here/xdrive.sh" ]; then
    source "$here/xdrive.sh"
else
    source "$here/../../tests/e2e/xdrive.sh"
fi

app_id=io.github.fusefuda.Fusefuda
# Where Debian puts a game: the command in /usr/games, the rest in a folder
# of its own under /usr/lib/games.
install_dir=/usr/lib/games/fusefuda
command_path=/usr/games/fusefuda

# --- the player's part ----------------------------------------------------------
# Runs as the throwaway user inside xvfb-run with a clean environment and the
# user's own HOME, so the game finds its configuration folder where a player's
# session would put it.
player() {
    local work=$1 probe=$2
    local shots=$work/shots files=$work/files
    local conf=$HOME/.config/fusefuda/fusefuda.ini
    pid="" main=""
    mkdir -p "$shots" "$files"
    trap 'if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; fi' EXIT

    shot() { import -window root "$shots/$1.png"; }
    # shows SHOT BACKP: a fresh screenshot shows the client area over background BACKP.
    shows() { shot "$1" && "$probe" locate "$shots/$1.png" "$2"; }

    start_game() {
        # From a folder of the player's own: the file chooser opens there.
        (cd "$files" && exec fusefuda >>"$work/game.log" 2>&1) &
        pid=$!
        poll 20 has_named_window "伏せ札ジグソー" || fail "the installed game shows no main window (see game.log)"
        main=$(named_window "伏せ札ジグソー")
    }
    quit_game() {
        menu f x
        await_exit 20 "File, Exit in the installed game"
    }

    [ "$(id -u)" != 0 ] || fail "the player's part must not run as root"
    [ ! -e "$conf" ] || fail "the new user already has $conf"
    if [ -w "$install_dir" ]; then fail "$install_dir is writable for $USER"; fi
    [ "$(command -v fusefuda)" = "$command_path" ] ||
        fail "the launcher's command fusefuda is $(command -v fusefuda || echo missing), not $command_path"

    # --- first start: no settings anywhere --------------------------------------
    start_game
    poll 10 has_named_window "バージョン情報" || fail "no About box at the first start"
    xdotool windowfocus --sync "$(named_window "バージョン情報")"
    xdotool key Return
    poll 10 lacks_named_window "バージョン情報" || fail "the About box did not close"
    poll 10 shows start 1 || fail "the window does not show background 1 (see start.png)"
    note "the installed game shows its window"

    # Qt keeps the translation it loaded mapped; an absent or unreadable file
    # leaves the dialogs in English without a word, so look for it.
    local translation
    translation=$(grep -o '/[^ ]*/qtbase_ja\.qm$' "/proc/$pid/maps" | head -1 || true)
    [ -n "$translation" ] || fail "Qt's Japanese translation is not loaded"
    echo "$translation" >"$work/translation"

    # File, Save: Qt's file chooser comes up; a name and Return save there.
    local base
    base=$(window_count)
    xdotool windowfocus --sync "$main"
    xdotool key alt+f
    poll 10 count_above "$base" || fail "menu f did not open"
    xdotool key s
    poll 10 has_named_window "プレイファイルを保存する" || fail "File, Save shows no file chooser"
    local chooser
    chooser=$(named_window "プレイファイルを保存する")
    shot chooser
    xdotool windowfocus --sync "$chooser"
    xdotool type --delay 20 saved
    xdotool key Return
    poll 10 lacks_named_window "プレイファイルを保存する" || fail "the file chooser did not close"
    poll 10 test -s "$files/saved.pvq" || fail "the file chooser did not save $files/saved.pvq"
    note "Qt's file chooser came up with the Japanese translation $translation and saved a play file"

    # An option through the menu, to be found at the next start.
    menu k z 3
    poll 10 shows background3 3 || fail "background 3 not shown after choosing it"
    quit_game

    [ -f "$conf" ] || fail "no settings in $conf after File, Exit"
    grep -q $'^backP=3\r$' "$conf" || fail "the background chosen is not in $conf"
    grep -q $'^kanpa=1\r$' "$conf" || fail "$conf does not say the About box was shown"
    note "settings written to $conf"

    # --- second start: the settings are read from the configuration folder -----
    sed -i $'s/^PrintScoreF=0\r$/PrintScoreF=1\r/' "$conf"
    start_game
    poll 10 shows second 3 || fail "the second start does not show the background kept in $conf"
    poll 10 count_above 1 || fail "the score window asked for in $conf did not open"
    shot second-score
    lacks_named_window "バージョン情報" || fail "the About box came again at the second start"
    quit_game
    grep -q $'^PrintScoreF=1\r$' "$conf" || fail "the score window option was not kept"
    note "the second start read $conf"
}

if [ "${1:-}" = --player ]; then
    [ $# = 3 ] || fail "usage: package.sh --player WORK PROBE"
    player "$2" "$3"
    exit 0
fi

# --- the whole check, as root ------------------------------------------------------
cd "$(dirname "$0")/../.."
started=$SECONDS
build=$PWD/build
probe=$build/tests/e2e/fusefuda_e2e_probe
artifacts=$build/artifacts/package
user=fusefuda-player
marker="Fusefuda package check (throwaway)"

[ "$(id -u)" = 0 ] || fail "run as root: the check installs the package and adds a user"
[ -f "$build/CPackConfig.cmake" ] && [ -x "$probe" ] ||
    fail "no built tree in $build; scripts/test.sh builds it"

tmp=$(mktemp -d /tmp/fusefuda-package.XXXXXX)
chmod 755 "$tmp"
created_user=""
cleanup() {
    local status=$?
    set +e
    if dpkg-query -W fusefuda >/dev/null 2>&1; then
        dpkg --purge fusefuda >/dev/null || { echo "package: FAIL: could not purge fusefuda" >&2; status=1; }
    fi
    if [ -n "$created_user" ]; then
        # Only what this check started as the user can be left, after a failure.
        for p in $(pgrep -u "$user"); do kill -9 "$p" 2>/dev/null; done
        userdel --remove "$user" 2>/dev/null ||
            { echo "package: FAIL: could not remove the user $user" >&2; status=1; }
    fi
    if [ -f "$build/install_manifest.txt" ]; then chown root:root "$build/install_manifest.txt"; fi
    mkdir -p "$artifacts"
    cp "$tmp"/work/shots/*.png "$artifacts"/ 2>/dev/null
    cp "$tmp"/work/game.log "$artifacts"/ 2>/dev/null
    rm -rf "$tmp"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
rm -rf "$artifacts"
mkdir -p "$artifacts"

validate_desktop() {
    local out
    out=$(desktop-file-validate "$1" 2>&1) || { echo "$out" >&2; fail "desktop-file-validate rejects $1"; }
    [ -z "$out" ] || { echo "$out" >&2; fail "desktop-file-validate warns about $1"; }
}
validate_metainfo() {
    appstreamcli validate --no-net --strict "$1" >"$tmp/appstream.log" 2>&1 ||
        { cat "$tmp/appstream.log" >&2; fail "appstreamcli validate rejects $1"; }
}

# --- the launcher and the metainfo in the source tree ------------------------------
validate_desktop "data/$app_id.desktop"
validate_metainfo "data/$app_id.metainfo.xml"
note "launcher and metainfo valid"

# --- the package ----------------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$tmp/cpack") >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$tmp"/cpack/fusefuda_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single fusefuda_*.deb"
deb=$artifacts/$(basename "${debs[0]}")
cp "${debs[0]}" "$deb"
dpkg-deb -I "$deb" >"$artifacts/control.txt"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "the package is for $(dpkg-deb -f "$deb" Architecture)"
depends=$(dpkg-deb -f "$deb" Depends)
note "$(basename "$deb"), $(stat -c %s "$deb") bytes"
note "Depends: $depends"

# Debian's own check of the package. Every tag it shows goes to the
# artifacts; an error or a warning fails the check. Four informational tags
# stay, none of them suppressed:
# - binary-has-unneeded-section .comment: CPack strips with plain `strip`,
#   which keeps the compilers' version notes (a few hundred bytes);
# - hardening-no-bindnow: Debian's default build flags bind lazily too, and
#   so the game does not resolve all of Qt's symbols before its window shows;
# - hardening-no-fortify-functions: the build fortifies (_FORTIFY_SOURCE=2),
#   but the calls left are those whose buffer sizes no compiler can know;
# - spelling-error-in-binary ("Addd", "fOLL"): byte runs inside the
#   compressed pictures that the executable carries as Qt resources, which
#   lintian's string scan takes for words; they are no text of the game.
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" \
    >"$artifacts/lintian.txt" 2>&1 || { cat "$artifacts/lintian.txt" >&2; fail "lintian rejects $(basename "$deb")"; }
note "lintian: no error, no warning ($(grep -c '^I: ' "$artifacts/lintian.txt" || true) informational tags)"

# depends_on PACKAGE: PACKAGE is named in Depends, alone or as an alternative.
depended=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/^ *//; s/ *$//')
depends_on() { grep -qx "$1" <<<"$depended"; }
# owner PATH: the package that holds PATH here; merged /usr means dpkg may
# know a library under /lib or /usr/lib.
owner() {
    local path candidates c
    path=$1
    candidates=("$path" "$(readlink -f "$path")" "/usr$path" "${path#/usr}")
    for c in "${candidates[@]}"; do
        if dpkg -S "$c" >/dev/null 2>&1; then dpkg -S "$c" | sed -n '1s/:.*//p'; return 0; fi
    done
    return 1
}

for p in fonts-ipafont-gothic qt6-translations-l10n libqt6core6 libqt6gui6 libqt6widgets6 \
         libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfluidsynth3; do
    depends_on "$p" || fail "the package does not depend on $p"
done
# The music needs a General MIDI soundfont where Debian's SDL_mixer looks for
# one: every package of some alternative group must provide sf3-soundfont-gm.
soundfont_ok=""
while read -r group; do
    [[ "$group" == *soundfont* ]] || continue
    soundfont_ok=yes
    for alt in $(tr '|' '\n' <<<"$group" | sed 's/(.*)//'); do
        [ "$alt" = sf3-soundfont-gm ] && continue
        provides=$(apt-cache show "$alt" 2>/dev/null | sed -n 's/^Provides: //p')
        [[ ", $provides," == *", sf3-soundfont-gm"[,\ ]* ]] ||
            { soundfont_ok=""; echo "package: $alt does not provide sf3-soundfont-gm" >&2; }
    done
    [ -n "$soundfont_ok" ] && break
done < <(tr ',' '\n' <<<"$depends")
[ -n "$soundfont_ok" ] || fail "the package depends on no General MIDI soundfont that SDL_mixer can use"

# --- installed on this machine -----------------------------------------------------
export DEBIAN_FRONTEND=noninteractive
if dpkg-query -W fusefuda >/dev/null 2>&1; then
    note "purging a fusefuda package left from before"
    dpkg --purge fusefuda >/dev/null
fi
apt-get install -y -qq --no-install-recommends "$deb" >"$tmp/apt.log" 2>&1 ||
    { cat "$tmp/apt.log" >&2; fail "apt-get install of the package failed"; }
note "installed"

exe=$install_dir/fusefuda
[ -f "$exe" ] && [ -x "$exe" ] || fail "no executable $exe"
[[ "$(file -b "$exe")" == ELF* ]] || fail "$exe is not an ELF executable"
[ -L "$command_path" ] && [ "$(readlink -f "$command_path")" = "$exe" ] ||
    fail "$command_path does not lead to $exe"
[[ "$(file -b "$install_dir/fusefuda.mid")" == *"Standard MIDI"* ]] || fail "no fusefuda.mid beside $exe"
install_dir_contents() { find "$install_dir" -mindepth 1 -printf '%f ' | tr ' ' '\n' | sort | xargs; }
[ "$(install_dir_contents)" = "fusefuda fusefuda.mid" ] ||
    fail "$install_dir holds $(install_dir_contents)"
desktop=/usr/share/applications/$app_id.desktop
metainfo=/usr/share/metainfo/$app_id.metainfo.xml
[ -f "$desktop" ] || fail "no launcher $desktop"
[ -f "$metainfo" ] || fail "no metainfo $metainfo"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 32 256; do
    png=/usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    [[ "$(file -b "$png")" == "PNG image data, $size x $size,"* ]] ||
        fail "no $size x $size icon $png"
done
[ "$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" = fusefuda ] || fail "the launcher does not run fusefuda"
[[ "$(file -b /usr/share/doc/fusefuda/screenshot.png)" == "PNG image data, 1024 x 768,"* ]] ||
    fail "no screenshot in /usr/share/doc/fusefuda"
[ -f /usr/share/man/man6/fusefuda.6.gz ] || fail "no manual page fusefuda(6)"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$app_id.desktop" ] || fail "the metainfo launches '$launchable', not $app_id.desktop"
validate_desktop "$desktop"
validate_metainfo "$metainfo"
ldd "$exe" >"$tmp/ldd.log" 2>&1 || { cat "$tmp/ldd.log" >&2; fail "ldd $exe failed"; }
! grep -q 'not found' "$tmp/ldd.log" || { grep 'not found' "$tmp/ldd.log" >&2; fail "libraries missing"; }
note "installed layout, launcher and metainfo fine"

# Every library the executable links, the X11 platform plugin, the dialog font
# and the soundfont come from packages the game depends on.
while read -r soname; do
    # "soname => path (address)", or "path (address)" for the dynamic loader.
    path=$(awk -v s="$soname" '$1 == s { print $3; exit }
        substr($1, length($1) - length(s)) == "/" s { print $1; exit }' "$tmp/ldd.log")
    [ -n "$path" ] || fail "ldd shows no file for $soname"
    pkg=$(owner "$path") || fail "no package holds $path ($soname)"
    depends_on "$pkg" || fail "$exe links $soname from $pkg, which is not in Depends"
done < <(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
plugin=$(dpkg -S '*/qt6/plugins/platforms/libqxcb.so' 2>/dev/null | sed -n '1s/:.*//p' || true)
[ -n "$plugin" ] || fail "no package holds Qt's xcb platform plugin"
depends_on "$plugin" || fail "Qt's xcb platform plugin comes from $plugin, which is not in Depends"
[[ ",$(fc-match -f '%{family}' IPAPGothic)," == *,IPAPGothic,* ]] || fail "the IPAPGothic font is not installed"
font=$(owner "$(fc-match -f '%{file}' IPAPGothic)") || fail "no package holds the IPAPGothic font"
depends_on "$font" || fail "the dialog font comes from $font, which is not in Depends"
[ -f "$(readlink -f /usr/share/sounds/sf3/default-GM.sf3)" ] ||
    fail "/usr/share/sounds/sf3/default-GM.sf3 leads to no soundfont"
note "Depends covers the libraries, the xcb plugin ($plugin), the font and the soundfont"

# --- an ordinary player -----------------------------------------------------------------
if getent passwd "$user" >/dev/null; then
    [ "$(getent passwd "$user" | cut -d: -f5)" = "$marker" ] ||
        fail "a user $user exists that this check did not create"
    note "removing the user $user left from before"
    userdel --remove "$user" 2>/dev/null || true
fi
home=$tmp/home
useradd --create-home --home-dir "$home" --shell /bin/sh --comment "$marker" --user-group "$user"
created_user=yes
[ "$(id -u "$user")" -ge 1000 ] || fail "the user $user has a system account's id"

# The same install rules without root, into a folder the user owns. CMake
# writes its list of installed files into the build tree, which the user may
# not otherwise write.
if runuser -u "$user" -- test -r "$build/cmake_install.cmake"; then
    touch "$build/install_manifest.txt"
    chown "$user" "$build/install_manifest.txt"
    runuser -u "$user" -- cmake --install "$build" --prefix "$home/prefix/usr" \
        >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log" >&2; fail "cmake --install without root failed"; }
    chown root:root "$build/install_manifest.txt"
    mkdir "$tmp/unpacked"
    dpkg-deb -x "$deb" "$tmp/unpacked"
    diff <(cd "$home/prefix" && find . -printf '%p %y %l\n' | sort) \
         <(cd "$tmp/unpacked" && find . -printf '%p %y %l\n' | sort) >&2 ||
        fail "cmake --install and the package lay out different files"
    appstreamcli validate-tree --no-net --strict "$home/prefix" >"$tmp/appstream.log" 2>&1 ||
        { cat "$tmp/appstream.log" >&2; fail "appstreamcli validate-tree rejects the installed tree"; }
    note "cmake --install works without root and lays out what the package holds"
else
    note "SKIPPED: the build tree is not readable for an ordinary user; cmake --install without root not tried"
fi

# The user runs a copy of this script and of the probe: the checkout need
# not be readable by others.
cp "$0" "$tmp/package.sh"
cp "$here/../../tests/e2e/xdrive.sh" "$tmp/xdrive.sh"
cp "$probe" "$tmp/probe"
chmod 755 "$tmp/package.sh" "$tmp/probe"
chmod 644 "$tmp/xdrive.sh"
mkdir -p "$tmp/work" "$tmp/run"
chown "$user:" "$tmp/work" "$tmp/run"
chmod 700 "$tmp/run"
# Xvfb started by an ordinary user cannot make the socket folder itself.
if [ ! -d /tmp/.X11-unix ]; then mkdir -m 1777 /tmp/.X11-unix; fi

cd "$tmp"
runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" SHELL=/bin/sh \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games LC_ALL=C.UTF-8 \
    XDG_RUNTIME_DIR="$tmp/run" \
    SDL_AUDIODRIVER=dummy \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    bash "$tmp/package.sh" --player "$tmp/work" "$tmp/probe" ||
    fail "the installed game failed for an ordinary user (screenshots in $artifacts)"

# What the player's runs left where only root could look.
[ -f "$home/.config/fusefuda/fusefuda.ini" ] || fail "no settings in the user's configuration folder"
[ "$(install_dir_contents)" = "fusefuda fusefuda.mid" ] ||
    fail "the game wrote into $install_dir: $(install_dir_contents)"
translation=$(cat "$tmp/work/translation")
pkg=$(owner "$translation") || fail "no package holds $translation"
depends_on "$pkg" || fail "Qt's translation comes from $pkg, which is not in Depends"
note "settings kept in the user's ~/.config/fusefuda/fusefuda.ini, nothing written into $install_dir"

note "PASS in $((SECONDS - started)) s"
