#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and the program that writes their seed corpora,
# into the folder given (default build-fuzz). An object is rebuilt when its
# source, any header or this script is newer.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build-fuzz}
mkdir -p "$out/obj"
flags=(-std=c++20 -g -O1 -Wall -Wextra -Werror -Isrc -Itools -fPIC)
sanitize=(-fsanitize=address,undefined -fno-sanitize-recover=all)
read -r -a qt <<<"$(pkg-config --cflags Qt6Gui)"
read -r -a qtlibs <<<"$(pkg-config --libs Qt6Gui)"

codec=(src/playfile/codec.cpp)
names=(src/platform/codepage.cpp src/game/highscores.cpp)
settings=(src/app/settings.cpp src/platform/profile.cpp src/platform/tempfiles.cpp
          src/platform/codepage.cpp)
load=(tools/randomplay/invariants.cpp src/game/board.cpp src/game/deal.cpp src/game/input.cpp
      src/game/peek.cpp src/game/undo.cpp src/game/overlays.cpp src/game/scoring.cpp
      src/game/starting.cpp src/render/raster.cpp src/render/surfaces.cpp src/render/cards.cpp
      src/render/painting.cpp src/render/flips.cpp src/render/hover.cpp
      src/assets/catalogue.cpp src/playfile/codec.cpp src/playfile/storage.cpp
      src/playfile/playfile.cpp src/platform/tempfiles.cpp)

# The pixel loops: every comparison in them traced would cost the load target
# most of its time (a card turn alone copies some 400,000 pixels), and what they
# compare is pixel positions, not what an input decides. Their branches still
# count as coverage, and AddressSanitizer still checks every pixel.
untraced=(src/render/raster.cpp src/render/surfaces.cpp)
# The checker of the game's invariants judges, it is not under test: its
# branches would only lead the fuzzer astray, and it runs after every step.
oracle=(tools/randomplay/invariants.cpp)

sources=$(printf '%s\n' "${codec[@]}" "${names[@]}" "${settings[@]}" "${load[@]}" | sort -u)
# Two at a time: the machine is shared.
for src in $sources; do
    (
        obj="$out/obj/$(echo "$src" | tr / _).o"
        if [ ! -e "$obj" ] || [ "$src" -nt "$obj" ] || [ fuzz/build.sh -nt "$obj" ] ||
            [ -n "$(find src tools -name '*.h' -newer "$obj" -print -quit)" ]; then
            coverage=(-fsanitize=fuzzer-no-link)
            case " ${untraced[*]} " in
            *" $src "*) coverage+=(-fno-sanitize-coverage=trace-cmp -O2) ;;
            esac
            case " ${oracle[*]} " in *" $src "*) coverage=(-O2) ;; esac
            clang++ "${flags[@]}" "${qt[@]}" "${coverage[@]}" "${sanitize[@]}" \
                -c "$src" -o "$obj"
        fi
    ) &
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
done
wait

objects() { for src in "$@"; do echo "$out/obj/$(echo "$src" | tr / _).o"; done; }
link() {
    local name=$1
    shift
    # shellcheck disable=SC2046
    clang++ "${flags[@]}" "${qt[@]}" -fsanitize=fuzzer "${sanitize[@]}" "fuzz/$name.cpp" \
        $(objects "$@") "${qtlibs[@]}" -o "$out/$name"
}
link playfile_fuzz "${codec[@]}"
link cp932_fuzz "${names[@]}"
link settings_fuzz "${settings[@]}"
link load_fuzz "${load[@]}"

clang++ "${flags[@]}" fuzz/seeds.cpp src/playfile/codec.cpp -o "$out/make_seeds"
