# Sanitizer settings for runs of the whole program (sourced). The program runs on libraries that
# are not built with the sanitizers (SDL2, Xlib, Mesa): what they keep until exit, and what they
# synchronise in ways ThreadSanitizer cannot see, is theirs. Other settings are kept.
here_options=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here_options/program.lsan.supp:print_suppressions=0"
export TSAN_OPTIONS="${TSAN_OPTIONS:+$TSAN_OPTIONS:}suppressions=$here_options/program.tsan.supp"
