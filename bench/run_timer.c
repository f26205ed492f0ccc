/* Starts a program again and again, standard input, output and error on /dev/null, and prints the
 * median in milliseconds of the time from its start to its exit; with --cpu, the median of the
 * CPU time it used (user and system), which other work on the machine hardly changes. Started
 * with posix_spawn, which copies no page tables, rather than from a shell, whose fork costs more
 * than a small program's whole run; the CPU time comes from wait4, to the microsecond.
 * Usage: run_timer [--cpu] RUNS PROGRAM [ARGUMENT...] */
#define _DEFAULT_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

enum { kWarmUp = 10 }; /* runs not counted: the first find the program's pages on disk */

static int Compare(const void* a, const void* b) {
    const double x = *(const double*)a;
    const double y = *(const double*)b;
    return (x > y) - (x < y);
}

static double Milliseconds(struct timeval t) {
    return (double)t.tv_sec * 1e3 + (double)t.tv_usec / 1e3;
}

/* One run in milliseconds, of the clock or of CPU time, or a negative number when the program
 * could not be run. */
static double Run(char* argv[], const posix_spawn_file_actions_t* actions, int cpu) {
    struct timespec start;
    struct timespec end;
    struct rusage usage;
    pid_t child;
    int status;
    clock_gettime(CLOCK_MONOTONIC, &start);
    if (posix_spawn(&child, argv[0], actions, NULL, argv, environ) != 0 ||
        wait4(child, &status, 0, &usage) != child) {
        return -1;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    /* 127: the child could not run the program. */
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) {
        return -1;
    }
    if (cpu) {
        return Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    }
    return (double)(end.tv_sec - start.tv_sec) * 1e3 + (double)(end.tv_nsec - start.tv_nsec) / 1e6;
}

int main(int argc, char* argv[]) {
    const int cpu = argc > 1 && strcmp(argv[1], "--cpu") == 0;
    const char* name = argv[0];
    argc -= cpu;
    argv += cpu;
    const int runs = argc > 2 ? atoi(argv[1]) : 0;
    if (runs < 1) {
        fprintf(stderr, "usage: %s [--cpu] RUNS PROGRAM [ARGUMENT...]\n", name);
        return 2;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);

    double* times = malloc((size_t)runs * sizeof *times);
    if (times == NULL) {
        return 2;
    }
    for (int i = -kWarmUp; i < runs; ++i) {
        const double ms = Run(argv + 2, &actions, cpu);
        if (ms < 0) {
            fprintf(stderr, "%s: cannot run %s\n", name, argv[2]);
            return 2;
        }
        if (i >= 0) {
            times[i] = ms;
        }
    }
    qsort(times, (size_t)runs, sizeof *times, Compare);
    const double median =
        runs % 2 != 0 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
    printf("%.3f\n", median);
    free(times);
    posix_spawn_file_actions_destroy(&actions);
    return 0;
}
