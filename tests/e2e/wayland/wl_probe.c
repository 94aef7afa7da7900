// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * wl-probe CMD...: sends one command to the probe module in weston (the socket named by
 * WL_PROBE_SOCKET) and prints its answer. Exit status 0 when the module answers "ok", 1 on an
 * error (the module's, or no module listening), 2 on bad usage.
 */
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

static int connect_to(const char *path)
{
	struct sockaddr_un address = {.sun_family = AF_UNIX};
	if (strlen(path) >= sizeof address.sun_path) {
		fprintf(stderr, "wl-probe: socket path too long: %s\n", path);
		return -1;
	}
	strcpy(address.sun_path, path);
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0 || connect(fd, (struct sockaddr *)&address, sizeof address) < 0) {
		fprintf(stderr, "wl-probe: cannot reach the probe at %s: %s\n", path, strerror(errno));
		if (fd >= 0)
			close(fd);
		return -1;
	}
	return fd;
}

int main(int argc, char **argv)
{
	const char *path = getenv("WL_PROBE_SOCKET");
	char line[4096] = "";
	char file[PATH_MAX];
	size_t len = 0;
	if (argc < 2 || !path || !*path) {
		fprintf(stderr, "usage: WL_PROBE_SOCKET=PATH wl-probe COMMAND [ARG...]\n"
				"       commands: see the top of probe_module.c\n");
		return 2;
	}
	/* The compositor writes screenshots from its own working directory. */
	if (strcmp(argv[1], "screenshot") == 0 && argc == 3 && argv[2][0] != '/') {
		if (!getcwd(file, sizeof file) || strlen(file) + strlen(argv[2]) + 2 > sizeof file) {
			fprintf(stderr, "wl-probe: cannot make %s an absolute path\n", argv[2]);
			return 1;
		}
		strcat(strcat(file, "/"), argv[2]);
		argv[2] = file;
	}
	for (int i = 1; i < argc; i++) {
		int n = snprintf(line + len, sizeof line - len, "%s%s", i > 1 ? " " : "", argv[i]);
		if (n < 0 || (size_t)n >= sizeof line - len - 1 || strchr(argv[i], '\n')) {
			fprintf(stderr, "wl-probe: command too long\n");
			return 2;
		}
		len += (size_t)n;
	}
	line[len++] = '\n';

	int fd = connect_to(path);
	if (fd < 0)
		return 1;
	if (write(fd, line, len) != (ssize_t)len) {
		fprintf(stderr, "wl-probe: cannot send the command: %s\n", strerror(errno));
		return 1;
	}
	shutdown(fd, SHUT_WR);
	/* A screenshot waits for a repaint; a compositor that never repaints must not hang the test. */
	struct timeval limit = {.tv_sec = 30};
	setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);

	/* Data lines, then "ok" or "error: WHY". */
	FILE *in = fdopen(fd, "r");
	char answer[1024];
	errno = 0;
	while (in && fgets(answer, sizeof answer, in)) {
		if (strcmp(answer, "ok\n") == 0)
			return 0;
		if (strncmp(answer, "error: ", 7) == 0) {
			fprintf(stderr, "wl-probe: %s: %s", argv[1], answer + 7);
			return 1;
		}
		fputs(answer, stdout);
	}
	fprintf(stderr, "wl-probe: no answer from the probe (%s)\n", errno == EAGAIN ? "30 s passed" : "connection closed");
	return 1;
}
