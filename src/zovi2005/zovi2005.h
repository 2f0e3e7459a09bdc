/* zovi2005: seals a declaration file and validates its delivery receipt.
 *
 * Strings are NUL-terminated single-byte texts in buffers the caller owns,
 * of the sizes given below; a function never writes past them.
 */
#ifndef ZOVI2005_H
#define ZOVI2005_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ZOVI2005_API __attribute__((visibility("default")))

enum {
    ZOVI2005_CAMINHO = 250,  /* path buffer */
    ZOVI2005_SELO = 34,      /* seal buffer: 32 characters and the NUL, plus one spare byte */
    ZOVI2005_NUMERO = 24,    /* receipt number buffer */
    ZOVI2005_DATA = 5,       /* receipt date buffer: ddmm and the NUL */
    ZOVI2005_HASH = 67       /* receipt hash buffer */
};

/* Writes into `seal` the 32-character seal of the file at `path`: upper-case
 * hex of SHA-256 over the file without the 32 bytes that end 2 bytes before
 * its end (where the seal is stored), so a sealed file gives the same text as
 * before. Returns 1; on a file that cannot be read or is shorter than 34 bytes
 * returns 0 and leaves `seal` empty. */
ZOVI2005_API int hashFileGenerate(const char* path, char* seal);

/* Validates the receipt file "Zovi2005.pro" beside the declaration file at
 * `path` against that file and the receiving side's public key built into the
 * library. Non-zero when valid: then `receiptNumber` (up to 12 characters),
 * `receiptDate` (ddmm) and `receiptHash` (64 characters) are filled. Zero
 * otherwise, with the three texts empty. */
ZOVI2005_API int32_t protocolValidate(const char* path, char* receiptNumber, char* receiptDate,
                                      char* receiptHash);

#ifdef __cplusplus
}
#endif

#endif
