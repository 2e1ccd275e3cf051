#!/usr/bin/env bash
# Sets up a CUPS print queue "Ambrel-PDF" that writes each job as a PDF file, and makes it the default
# printer, for trying the program's printing by hand (not used by the tests). Needs root or sudo.
# The PDFs land in /var/spool/cups-pdf/<user>/ (or ~/PDF, as cups-pdf is configured).
set -euo pipefail

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

if ! dpkg-query -W -f='${Status}' printer-driver-cups-pdf 2>/dev/null | grep -q "install ok installed"; then
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        cups cups-client cups-bsd printer-driver-cups-pdf
fi

# The scheduler runs as a service where there is one, otherwise in the background.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    if command -v systemctl >/dev/null 2>&1 && systemctl list-units >/dev/null 2>&1; then
        "${sudo_cmd[@]}" systemctl start cups
    else
        "${sudo_cmd[@]}" /usr/sbin/cupsd
    fi
    for _ in $(seq 1 20); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.5
    done
fi

ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF/ {print $1; exit}' || true)
"${sudo_cmd[@]}" lpadmin -p Ambrel-PDF -E -v cups-pdf:/ ${ppd:+-m "$ppd"}
"${sudo_cmd[@]}" lpadmin -d Ambrel-PDF
lpstat -d
echo "PDFs of printed jobs: $(grep -E '^Out ' /etc/cups/cups-pdf.conf 2>/dev/null | awk '{print $2}' || echo '/var/spool/cups-pdf/${USER}')"
