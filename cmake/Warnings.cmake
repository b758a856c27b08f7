# Strict warnings, per target rather than in the global flags, so that
# third-party headers and generated code are not held to them.
function(vorelka_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
