# Cross build for 64-bit Arm (arm64) with Debian's cross compiler, against the arm64 libraries
# installed beside the native ones (multiarch, /usr/lib/aarch64-linux-gnu): scripts/cross-build.
# With CMAKE_CROSSCOMPILING_EMULATOR set (scripts/cross-build sets qemu-aarch64 where it is at
# hand) the build runs its content generators and lists the tests through it, and CTest runs the
# tests through it; without, the generators are built but not run.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config of arm64")
