/* Included ahead of each musl source of fermat_libm (-include).
 *
 * The C library's headers come first, under their own names: glibc's
 * <math.h> declares __sin, __cos and __tan with one argument, which musl's
 * libm.h declares again as its kernels with two or three. libm.h's own
 * includes of them are then no-ops.
 *
 * After them every name the copied files define, and every kernel libm.h
 * declares that the C library's <math.h> might also declare, gets the
 * fermat_libm_ prefix. So these copies never meet the C library's sin, cos,
 * atan or their helpers at link time, natively (glibc) or in the browser
 * build (emscripten's own musl, whose libc.a holds the same names). */
#include <endian.h>
#include <float.h>
#include <math.h>
#include <stdint.h>

/* musl's internal features.h gives the kernels hidden visibility. */
#define hidden __attribute__((__visibility__("hidden")))

/* The entry points, called by numeric/Elementary.h. */
#define sin fermat_libm_sin
#define cos fermat_libm_cos
#define sincos fermat_libm_sincos
#define atan fermat_libm_atan

/* Their helpers. */
#define __sin fermat_libm_kernel_sin
#define __cos fermat_libm_kernel_cos
#define __rem_pio2 fermat_libm_rem_pio2
#define __rem_pio2_large fermat_libm_rem_pio2_large

/* Declared by libm.h only (never defined here): renamed so that glibc's
 * one-argument declarations of the same names do not conflict. */
#define __tan fermat_libm_kernel_tan
#define __sinl fermat_libm_kernel_sinl
#define __cosl fermat_libm_kernel_cosl
#define __tanl fermat_libm_kernel_tanl
