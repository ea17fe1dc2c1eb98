#!/usr/bin/env bash
# Makes the shipped player profiles, their pictures and their voice clips in data/players.
# Not run by the build: its results are committed. Needs imagemagick, espeak-ng and sox.
set -euo pipefail
cd "$(dirname "$0")/../players"

# profile FILE NAME DESCRIPTION NUMBER FOLDER VOICE COLOUR T1 T2 RULES0 RULES1 RULES2 RULES3
# Each RULES argument is a space-separated list of keywords.
profile() {
  local file=$1 name=$2 desc=$3 number=$4 folder=$5 voice=$6 colour=$7 t1=$8 t2=$9
  shift 9
  local rules=("$@")
  mkdir -p "$folder"
  convert -size 64x64 "gradient:${colour}-black" -gravity center -fill white \
    -font DejaVu-Sans-Bold -pointsize 26 -annotate 0 "${name:0:1}" -quality 85 "$folder/$folder.jpg"

  local -a events=("begin" "domino" "pass" "comment1" "comment2" "round1" "round2" "pig1" "pig2" "twopigs")
  local -a phrases=(
    "Let us play." "There." "I pass." "Hmm, interesting." "Your move."
    "This round is mine." "I win this one." "You are the pig!" "Pig, pig, pig!" "Two pigs today!")
  for i in "${!events[@]}"; do
    espeak-ng -v "$voice" -s 150 -w /tmp/clip.wav "${phrases[$i]}"
    sox /tmp/clip.wav -r 11025 -c 1 -b 8 "$folder/${events[$i]}.wav"
  done

  {
    printf '[Morvatel player]\r\n\r\nEditor=Morvatel Team\r\n'
    printf 'Name=%s\r\nComment=%s\r\nIndex=%s\r\nDirectory=%s\r\n' "$name" "$desc" "$number" "$folder"
    printf 'Presentation sound file=begin.wav\r\nVersion=1.0\r\n\r\n[Picture]\r\n%s.jpg\r\n' "$folder"
    printf '\r\n\r\n\r\n[Media]\r\n'
    for e in "${events[@]}"; do
      printf '{ %s\r\n%s.wav\r\n}\r\n\r\n' "$e" "$e"
    done
    printf '\r\n\r\n[Rules]\r\n'
    local labels=("empty table" "small hand" "middle hand" "big hand")
    for b in 0 1 2 3; do
      printf '{ %s\r\n' "${labels[$b]}"
      for r in ${rules[$b]}; do printf '%s\r\n' "$r"; done
      printf '}\r\n\r\n'
    done
    printf 'ThinkLimitOne=%s\r\nSecondThinkingThresholds=%s\r\n' "$t1" "$t2"
  } > "$file"
}

profile "standard player.vrk" "Standard Player" "Plays sensibly" 1 standard en "#3060c0" 5 2 \
  "&biggestDouble &biggestDomino &anything" \
  "&onEndHasMost &biggestDomino &anything" \
  "&biggestDouble &endHasMost &biggestDomino &anything" \
  "&biggestDouble &biggestDomino &anything"

profile "bruno heavy.vrk" "Bruno Heavy" "Dumps his big tiles first" 2 bruno en-us "#c03030" 4 2 \
  "&biggestDomino &anything" \
  "&biggestDouble &biggestDomino &anything" \
  "&biggestDouble &biggestDomino &anything" \
  "&biggestDomino &biggestDouble &anything"

profile "wall builder.vrk" "Wall Builder" "Tries to block the game" 3 wall en-gb "#808080" 5 3 \
  "&smallestDouble &smallestDomino &anything" \
  "&jamGame &onLeastPlayedEnd &biggestDomino &anything" \
  "&jamGame &leastPlayedEnd &biggestDomino &anything" \
  "&jamGame &smallestDomino &anything"

profile "counting clara.vrk" "Counting Clara" "Keeps the end she holds most of" 4 clara en-gb-x-rp "#30a050" 5 2 \
  "&biggestDouble &endHasMost &anything" \
  "&onEndHasMost &endHasMost &biggestDomino &anything" \
  "&onEndHasMost &endHasMost &anything" \
  "&endHasMost &onEndHasMost &biggestDouble &anything"
rm -f /tmp/clip.wav
