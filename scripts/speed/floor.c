/* The I/O floor of a conversion: reads SOURCE to its end and writes BYTES bytes into DEST through a
 * 64 KiB buffer, the least any conversion of that source into a result of that size has to do.
 * Usage: floor SOURCE DEST BYTES */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
    static char buffer[1 << 16];
    if (argc != 4) {
        fprintf(stderr, "usage: floor SOURCE DEST BYTES\n");
        return 2;
    }
    int in = open(argv[1], O_RDONLY);
    int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (in < 0 || out < 0) {
        perror("floor");
        return 1;
    }
    unsigned long sum = 0;
    ssize_t n;
    while ((n = read(in, buffer, sizeof buffer)) > 0)
        for (ssize_t i = 0; i < n; i += 4096) sum += (unsigned char)buffer[i];
    memset(buffer, (int)(sum & 0x7f), sizeof buffer);
    long long left = atoll(argv[3]);
    while (left > 0) {
        size_t chunk = left < (long long)sizeof buffer ? (size_t)left : sizeof buffer;
        if (write(out, buffer, chunk) != (ssize_t)chunk) {
            perror("floor");
            return 1;
        }
        left -= (long long)chunk;
    }
    return close(out) == 0 && close(in) == 0 ? 0 : 1;
}
