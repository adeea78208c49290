# cmake -DFROM=<build folder> -DTO=<build folder> -P copy_pack.cmake
# Copies the asset pack generated in one build folder into another: only the pack's own files,
# never a save or screenshots that a game run from FROM left in its dat/.
file(COPY ${FROM}/cg ${FROM}/dat DESTINATION ${TO}
     FILES_MATCHING PATTERN "*.bmp" PATTERN "*.jpg" PATTERN "*.wav" PATTERN "*.mp3" PATTERN "screenshots" EXCLUDE)
file(COPY ${FROM}/icons DESTINATION ${TO})
