#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what installing
# it gives a person: the program and its database in a folder of their own,
# the `brantovel` command on the PATH, the menu entry with its icons, and the
# packages the program needs at run time declared as dependencies.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    exit 1
fi
deb=$(echo "$tmp"/brantovel_*.deb)
errori=0
errore() {
    echo "ERRORE: $*" >&2
    errori=1
}

dipendenze=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libsqlite3-0 qt6-translations-l10n xdg-utils \
         libxlsxwriter4 libminizip1; do
    grep -Eq "(^|, )$p( |,|$)" <<<"$dipendenze" || errore "manca la dipendenza $p in: $dipendenze"
done

contenuto=$(dpkg-deb -c "$deb")
voce() {
    local permessi=$1 percorso=$2
    grep -Eq "^$permessi .* \./${percorso#/}\$" <<<"$contenuto" || errore "manca $percorso ($permessi)"
}
voce -rwxr-xr-x /opt/brantovel/brantovel
voce -rw-r--r-- /opt/brantovel/DatiAtto.mdb
voce lrwxrwxrwx "/usr/bin/brantovel -> /opt/brantovel/brantovel"
voce -rwxr-xr-x /opt/brantovel/brantovel-elenco
voce lrwxrwxrwx "/usr/bin/brantovel-elenco -> /opt/brantovel/brantovel-elenco"
voce -rw-r--r-- /usr/share/man/man1/brantovel-elenco.1.gz
voce -rw-r--r-- /usr/share/applications/brantovel.desktop
voce -rw-r--r-- /usr/share/icons/hicolor/scalable/apps/brantovel.svg

dpkg-deb -x "$deb" "$tmp/radice"
desktop-file-validate "$tmp/radice/usr/share/applications/brantovel.desktop" || errore "voce di menu non valida"
for lato in 16 22 24 32 48 64 128 256; do
    png=$tmp/radice/usr/share/icons/hicolor/${lato}x$lato/apps/brantovel.png
    if [ ! -f "$png" ]; then
        errore "manca l'icona di $lato pixel"
        continue
    fi
    # Width and height stand at bytes 16 to 23 of a PNG file.
    misure=$(od -An -j16 -N8 -tx1 "$png" | tr -d ' \n')
    [ "$misure" = "$(printf '%08x%08x' "$lato" "$lato")" ] || errore "l'icona di $lato pixel misura $misure"
done

exit $errori
