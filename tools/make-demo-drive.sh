#!/usr/bin/env bash
# Fills a folder with what a portable player's drive holds: music in artist
# and album folders, some spoken word, a few files the tool must not list,
# and the PLAYLIST folder. Usage: make-demo-drive.sh FOLDER
set -euo pipefail
drive="${1:?usage: make-demo-drive.sh FOLDER}"
rm -rf "$drive"
mkdir -p "$drive/PLAYLIST" "$drive/SYSTEM"

artists=("The Harbour Lights" "Mira Sandoval" "Northbound Static" "Elsie & the Tidewater"
         "Quiet Engines" "Laszlo Ferenc Trio" "Copper Lanterns" "Juniper Vale"
         "Dust Road Revival" "Okonkwo Brass Band" "Saffron Skies" "Hollow Pines")
albums=("First Light" "Paper Boats" "Night Ferry" "Small Hours" "Letters Home" "Open Water")
titles=("Morning Tide" "Where the River Bends" "Lantern Song" "Glass Houses" "Slow Dancer"
        "Halfway Home" "Northern Wind" "Copper and Gold" "The Long Way Round" "Blue Hour"
        "Streetlights" "Harbour Walls" "Kite Strings" "Undertow" "Falling Slowly"
        "Summer Static" "Paper Moon" "Old Friends" "Salt and Cedar" "Quiet Room")
exts=(mp3 mp3 mp3 wma mp3 wav)

n=0
for a in "${!artists[@]}"; do
    artist="${artists[$a]}"
    for b in 0 1; do
        album="${albums[$(( (a + b * 3) % ${#albums[@]} ))]}"
        dir="$drive/MUSIC/$artist/$album"
        mkdir -p "$dir"
        for t in $(seq 1 12); do
            title="${titles[$(( (a * 7 + b * 5 + t) % ${#titles[@]} ))]}"
            ext="${exts[$(( (a + t) % ${#exts[@]} ))]}"
            printf 'demo audio %d\n' "$n" > "$dir/$(printf '%02d' "$t") - $title.$ext"
            n=$((n + 1))
        done
        printf 'cover\n' > "$dir/cover.jpg"
    done
done

mkdir -p "$drive/PODCASTS/Garden Hour" "$drive/PODCASTS/Tech Talk Weekly" "$drive/AUDIOBOOKS/The Lighthouse Keeper"
for e in $(seq 1 15); do
    printf 'episode\n' > "$drive/PODCASTS/Garden Hour/Episode $e - Planting in Autumn.mp3"
    printf 'episode\n' > "$drive/PODCASTS/Tech Talk Weekly/TTW $(printf '%03d' "$e").mp3"
done
for c in $(seq 1 20); do
    printf 'chapter\n' > "$drive/AUDIOBOOKS/The Lighthouse Keeper/Chapter $(printf '%02d' "$c").wma"
done
mkdir -p "$drive/RECORDINGS"
for r in $(seq 1 10); do printf 'voice\n' > "$drive/RECORDINGS/VOICE$(printf '%03d' "$r").WAV"; done
printf 'notes\n' > "$drive/RECORDINGS/readme.txt"
printf 'settings\n' > "$drive/SYSTEM/player.cfg"
printf '\\MUSIC\\QUIET~1\\FIRSTL~1\\01-MOR~1.MP3\r\n' > "$drive/PLAYLIST/Favourites.m3u"
# An older playlist as the player keeps them: long names of one album, and
# two lines whose files have gone from the player since (a short name that
# changed when the music was copied again, a track deleted).
album="$drive/MUSIC/Quiet Engines/Letters Home"
{
    printf '#EXTM3U\r\n'
    k=0
    while IFS= read -r f; do
        rel="${f#"$drive"}"
        printf '%s\r\n' "${rel//\//\\}"
        k=$((k + 1))
        if [ "$k" = 2 ]; then printf '\\MUSIC\\QUIET~1\\LETTER~1\\03-SLO~1.MP3\r\n'; fi
        if [ "$k" = 5 ]; then printf '\\MUSIC\\Quiet Engines\\Letters Home\\13 - Encore.mp3\r\n'; fi
    done < <(find "$album" -type f \( -name '*.mp3' -o -name '*.wma' -o -name '*.wav' \) | sort | head -n 8)
} > "$drive/PLAYLIST/Evening.m3u"
echo "demo drive: $n music files in $drive"
