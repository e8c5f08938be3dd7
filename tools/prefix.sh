# shellcheck shell=bash
# Wine prefixes: the build's test prefix and each device's own.

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bump when the prefix set-up below changes, so existing prefixes are renewed.
PREFIX_RECIPE=4

# wine_env PREFIX: the environment every Wine process of that prefix gets.
wine_env() { export WINEPREFIX="$1"; }

# prepare_prefix PREFIX KIND [DRIVE_D]
# KIND is "test" (no display: the null graphics driver) or "device" (the
# session's 176 x 220 virtual desktop). DRIVE_D becomes drive D:.
prepare_prefix() {
    local prefix=$1 kind=$2 drive_d=${3:-}
    local stamp="$prefix/.vellumate-recipe"
    if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$PREFIX_RECIPE-$kind" ]; then
        note "creating the Wine prefix $prefix (takes a few seconds)"
        rm -rf "$prefix"
        mkdir -p "$prefix"
        (
            wine_env "$prefix"
            wineboot -i >/dev/null 2>&1
            # Same text metrics everywhere: the fonts come from the prefix itself.
            cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
            local reg="$prefix/vellumate.reg"
            {
                echo 'REGEDIT4'
                echo
                # Without a window manager each window destruction waits 2 s.
                echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
                echo '"Managed"="N"'
                echo '"Decorated"="N"'
                echo
                if [ "$kind" = test ]; then
                    echo '[HKEY_CURRENT_USER\Software\Wine\Drivers]'
                    echo '"Graphics"="null"'
                else
                    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
                    echo '"Desktop"="Default"'
                    echo
                    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
                    echo '"Default"="176x220"'
                fi
                echo
                # The handset's display font faces resolve to fonts the prefix carries.
                echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]'
                echo '"Nina"="Tahoma"'
                echo '"System"="Tahoma"'
                # A handset's own entries (its file associations) go into its
                # registry; tests make their own.
                if [ "$kind" = device ] && [ -f "$SAMPLE/registry.reg" ]; then
                    echo
                    tail -n +2 "$SAMPLE/registry.reg" | grep -v '^;'
                fi
            } >"$reg"
            wine reg import "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
            wineserver -w
        )
        echo "$PREFIX_RECIPE-$kind" >"$stamp"
    fi
    if [ -n "$drive_d" ]; then
        ln -sfn "$drive_d" "$prefix/dosdevices/d:"
    fi
}
