# shellcheck shell=bash
# The Wine session of an end-to-end test: a private X display, a Wine prefix made once per test
# run, the fonts and DPI the tests expect. Sourced by run_e2e.sh; nothing runs on sourcing but
# setting variables and defining functions. Scripts under `set -e` source it too: the clean-up
# at exit tolerates what is already gone (an ended Xvfb, no Wine server), so that it never turns
# a run that did its job into a failure.
#
# Environment it reads (all optional):
#   E2E_BUILD_DIR   the mingw build folder (default: <source>/build/mingw)
#   E2E_DPI         screen DPI for the programs, e.g. 96 (default), 120, 144, 192
#   E2E_SCREEN      Xvfb screen, default 1280x1024x24
#   E2E_CJK_FACE    installed face that the Traditional Chinese system faces map to
#                   (default: "AR PL UMing TW" if fontconfig knows it)
#   LC_ALL          passed to Wine, default zh_TW.UTF-8 (ANSI code page 950, as on the target
#                   systems). A locale the system lacks is generated first.
#
# Environment it sets: DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES.

E2E_SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_BUILD_DIR="$(mkdir -p "${E2E_BUILD_DIR:-$E2E_SOURCE_DIR/build/mingw}" && cd "${E2E_BUILD_DIR:-$E2E_SOURCE_DIR/build/mingw}" && pwd)"
export E2E_BUILD_DIR
export E2E_SCREEN="${E2E_SCREEN:-1280x1024x24}"
export E2E_DPI="${E2E_DPI:-96}"
export LC_ALL="${LC_ALL:-zh_TW.UTF-8}"

export WINEPREFIX="$E2E_BUILD_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${E2E_WINEDEBUG:--all}"
# No Mono or Gecko install dialogs: the tests need neither .NET nor HTML.
export WINEDLLOVERRIDES="mscoree,mshtml="

E2E_XVFB_PID=""
E2E_XVFB_PID_FILE="$E2E_BUILD_DIR/xvfb.pid"
E2E_PREFIX_STAMP="$WINEPREFIX/.e2e-complete"
E2E_DPI_STATE="$WINEPREFIX/.e2e-dpi"

e2e_log() { echo "e2e: $*" >&2; }

e2e_die() {
    e2e_log "error: $*"
    exit 1
}

# --- locale ------------------------------------------------------------------------------

# "zh_TW.UTF-8" and "zh_TW.utf8" name the same locale; compare them in one spelling.
e2e_locale_key() { echo "$1" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/'; }

e2e_locale_available() {
    locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/' |
        grep -qxF "$(e2e_locale_key "$1")"
}

# Makes LC_ALL usable: generated system-wide with locale-gen when we may (Debian keeps the list
# in /etc/locale.gen), else compiled into the build folder and found through LOCPATH.
e2e_ensure_locale() {
    local want="${LC_ALL:-}"
    case "$want" in "" | C | POSIX | C.UTF-8 | C.utf8) return 0 ;; esac
    e2e_locale_available "$want" && return 0

    local name="${want%%.*}" charset="UTF-8"
    case "$want" in *.*) charset="${want#*.}" ;; esac
    [ "$(e2e_locale_key "$charset")" = "utf8" ] && charset="UTF-8"

    if [ "$(id -u)" = 0 ] && command -v locale-gen >/dev/null && [ -f /etc/locale.gen ]; then
        e2e_log "generating locale $name.$charset"
        (
            flock -w 300 9 || exit 1
            if grep -Eq "^#? *$name\.$charset $charset\$" /etc/locale.gen; then
                sed -i -E "s/^# *($name\.$charset $charset)\$/\1/" /etc/locale.gen
            else
                echo "$name.$charset $charset" >>/etc/locale.gen
            fi
            locale-gen >/dev/null
        ) 9>/tmp/.e2e-locale-gen.lock
        e2e_locale_available "$want" && return 0
    fi

    local own="$E2E_BUILD_DIR/locale"
    if [ ! -d "$own/$want" ]; then
        e2e_log "compiling locale $want into $own"
        mkdir -p "$own"
        localedef -i "$name" -f "$charset" "$own/$want" 2>/dev/null || true
    fi
    [ -d "$own/$want" ] || e2e_die "locale $want is not available and could not be made"
    export LOCPATH="$own"
}

# --- X display ---------------------------------------------------------------------------

e2e_kill_stale_display() {
    local pid
    pid="$(cat "$E2E_XVFB_PID_FILE" 2>/dev/null)" || return 0
    if [ -n "$pid" ] && { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -q '^Xvfb '; then
        e2e_log "ending Xvfb $pid left by an earlier run"
        kill "$pid" 2>/dev/null || true
    fi
    rm -f "$E2E_XVFB_PID_FILE"
}

# Starts Xvfb on the first free display from :90 to :130 and waits until it takes clients.
# Two runners may pick the same number at once; Xvfb's own lock file decides, and the loser
# moves on to the next number.
e2e_start_display() {
    e2e_kill_stale_display
    local n pid lock deadline
    for n in $(seq 90 130); do
        lock="/tmp/.X$n-lock"
        # A lock whose server is gone is stale: Xvfb takes the number over by itself.
        if [ -e "$lock" ]; then
            kill -0 "$(tr -d ' \n' 2>/dev/null <"$lock")" 2>/dev/null && continue
        elif [ -e "/tmp/.X11-unix/X$n" ]; then
            continue
        fi
        Xvfb ":$n" -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset \
            >"$E2E_BUILD_DIR/xvfb.log" 2>&1 </dev/null &
        pid=$!
        deadline=$((SECONDS + 15))
        while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
            if [ "$(tr -d ' \n' 2>/dev/null <"$lock")" = "$pid" ] &&
                xdpyinfo -display ":$n" >/dev/null 2>&1; then
                E2E_XVFB_PID=$pid
                echo "$pid" >"$E2E_XVFB_PID_FILE"
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    e2e_die "no free X display between :90 and :130"
}

e2e_stop_display() {
    [ -n "$E2E_XVFB_PID" ] || return 0
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    local deadline=$((SECONDS + 5))
    while kill -0 "$E2E_XVFB_PID" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
    kill -9 "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    rm -f "$E2E_XVFB_PID_FILE"
    E2E_XVFB_PID=""
}

e2e_screenshot() { # <file.png>
    import -display "$DISPLAY" -window root -silent "$1" 2>/dev/null
}

# --- Wine --------------------------------------------------------------------------------

# Ends every program of this prefix and waits until its wineserver is gone (the registry is
# written to disk on the way out).
e2e_end_wine() {
    [ -d "$WINEPREFIX" ] || return 0
    timeout 30 wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
}

# Waits for the wineserver to write everything and exit once its last program has ended.
e2e_wine_settle() {
    timeout 60 wineserver -w 2>/dev/null || e2e_end_wine
}

e2e_cjk_face() {
    if [ -n "${E2E_CJK_FACE:-}" ]; then
        echo "$E2E_CJK_FACE"
        return
    fi
    local families
    families="$(fc-list --format '%{family[0]}\n' :lang=zh-tw 2>/dev/null | sort -u)"
    if echo "$families" | grep -qx "AR PL UMing TW"; then
        echo "AR PL UMing TW"
    else
        echo "$families" | head -n 1
    fi
}

# Imports a .reg file written here as UTF-8: reg.exe reads it as UTF-16, so that the Chinese
# value names do not depend on any locale's conversion of command-line arguments.
e2e_import_reg() { # <content>
    local file="$E2E_BUILD_DIR/e2e-import.reg"
    printf '\xff\xfe' >"$file"
    printf '%s' "$1" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >>"$file"
    timeout 60 wine reg import "$(e2e_windows_path "$file")" >/dev/null 2>&1 ||
        e2e_die "reg import of $file failed"
    rm -f "$file"
}

# A Unix path as Wine sees it through drive Z:, which a new prefix maps to /.
e2e_windows_path() { echo "Z:${1//\//\\}"; }

e2e_prefix_ready() {
    [ -f "$E2E_PREFIX_STAMP" ] && [ "$(cat "$E2E_PREFIX_STAMP")" = "$(wine --version 2>/dev/null)" ]
}

# Makes the prefix afresh: wineboot, then the font replacements, Wine's own title bars, no
# crash dialog, DPI 96.
e2e_create_prefix() {
    e2e_end_wine
    case "$WINEPREFIX" in "$E2E_BUILD_DIR"/*) ;; *) e2e_die "refusing to replace $WINEPREFIX" ;; esac
    rm -rf "$WINEPREFIX"
    local started=$SECONDS face
    e2e_log "creating the Wine prefix $WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || e2e_die "wineboot -i failed"
    e2e_wine_settle

    face="$(e2e_cjk_face)"
    [ -n "$face" ] || e2e_die "no installed font covers Traditional Chinese (fonts-arphic-uming)"
    e2e_log "mapping the Traditional Chinese system faces to \"$face\""
    # Wine draws the title bars itself (there is no window manager to draw them), so that
    # screenshots show captions as Windows does. A crash must end the program, not wait for
    # someone to close winedbg's dialog.
    e2e_import_reg "Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
\"新細明體\"=\"$face\"
\"細明體\"=\"$face\"
\"PMingLiU\"=\"$face\"
\"MingLiU\"=\"$face\"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
\"Decorated\"=\"N\"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
\"ShowCrashDialog\"=dword:00000000

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
\"LogPixels\"=dword:00000060
"
    e2e_wine_settle
    echo 96 >"$E2E_DPI_STATE"
    wine --version >"$E2E_PREFIX_STAMP"
    e2e_log "prefix ready in $((SECONDS - started)) s"
}

# The DPI of the next programs: HKCU\Control Panel\Desktop LogPixels, written only when it
# differs from what the prefix holds, and flushed before any program starts.
e2e_apply_dpi() {
    case "$E2E_DPI" in *[!0-9]* | "") e2e_die "E2E_DPI must be a number, not '$E2E_DPI'" ;; esac
    [ "$(cat "$E2E_DPI_STATE" 2>/dev/null)" = "$E2E_DPI" ] && return 0
    e2e_log "setting the DPI to $E2E_DPI"
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$E2E_DPI" /f >/dev/null 2>&1 || e2e_die "could not set the DPI"
    e2e_wine_settle
    echo "$E2E_DPI" >"$E2E_DPI_STATE"
}

# Marlett draws the title bar's buttons (minimize, close) as symbols; without it they show as
# the letters "0", "1" and "r". Debian ships Wine's own Marlett in fonts-wine, in a folder this
# Wine does not read fonts from, so it is copied into the prefix's Fonts folder, which every Wine
# program reads. Done at each start, so that prefixes made before this step get it too.
E2E_WINE_FONTS_DIR="${E2E_WINE_FONTS_DIR:-/usr/share/wine/fonts}"
e2e_install_marlett() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] && return 0
    if [ ! -f "$E2E_WINE_FONTS_DIR/marlett.ttf" ]; then
        e2e_log "warning: no $E2E_WINE_FONTS_DIR/marlett.ttf (fonts-wine): title bar buttons show as letters"
        return 0
    fi
    mkdir -p "$fonts"
    cp "$E2E_WINE_FONTS_DIR/marlett.ttf" "$fonts/marlett.ttf"
}

# --- the whole session -------------------------------------------------------------------

e2e_cleanup() {
    e2e_end_wine
    e2e_stop_display
}

# Everything a test needs before its programs start. The prefix is made here only if the
# ctest fixture (run_e2e.sh --prepare) has not made it, e.g. when running one test by hand.
e2e_start_session() {
    trap e2e_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    e2e_ensure_locale
    e2e_start_display
    e2e_end_wine # whatever an earlier, killed run left running in this prefix
    e2e_prefix_ready || e2e_create_prefix
    e2e_install_marlett
    e2e_apply_dpi
}
