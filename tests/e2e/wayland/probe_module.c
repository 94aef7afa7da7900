// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * A weston 10 module for the end-to-end tests: a seat of its own (keyboard and pointer) that a
 * test drives, and eyes on what the compositor shows. It listens on the UNIX socket named by
 * WL_PROBE_SOCKET for one command a connection, a line; the answer is some lines of text, then
 * "ok" or "error: WHY". Input is flushed to the clients before the answer, so a test can poll for
 * its effect.
 *
 *   windows                  every toplevel, one a line:
 *                            ID STATE WxH+X+Y KIND "TITLE" APPID FOCUS
 *                            STATE normal|minimized|unmapped, KIND window|dialog (has a parent),
 *                            X,Y the window geometry's origin on the output, FOCUS focused|-
 *   key down|up KEY, key KEY  KEY an evdev name (enter, leftalt, b) or code
 *   move X Y                 the pointer to output coordinates
 *   click X Y [BUTTON], button down|up [BUTTON]    BUTTON left|right|middle
 *   activate ID              keyboard focus and raise, as the shell does on a click
 *   close ID                 ask the toplevel to close, as its frame's close button does
 *   screenshot FILE          the whole output as next repainted, as PNG
 *
 * Loaded with weston --modules=/absolute/path/to/this.so next to any shell.
 */
#define _GNU_SOURCE /* accept4 */
#include <errno.h>
#include <stdarg.h>
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <libevdev/libevdev.h>
#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <linux/input.h>
#include <png.h>
#include <weston.h>

/* libweston 10 exports these for its backends but installs no header for them. */
void weston_seat_init(struct weston_seat *seat, struct weston_compositor *ec, const char *name);
void weston_seat_release(struct weston_seat *seat);
int weston_seat_init_pointer(struct weston_seat *seat);
int weston_seat_init_keyboard(struct weston_seat *seat, struct xkb_keymap *keymap);
void notify_motion_absolute(struct weston_seat *seat, const struct timespec *time, double x, double y);
void notify_button(struct weston_seat *seat, const struct timespec *time, int32_t button,
		   enum wl_pointer_button_state state);
void notify_key(struct weston_seat *seat, const struct timespec *time, uint32_t key,
		enum wl_keyboard_key_state state, enum weston_key_state_update update_state);
void notify_pointer_frame(struct weston_seat *seat);

struct probe {
	struct weston_compositor *compositor;
	struct weston_seat seat;
	char *socket_path;
	int listen_fd;
	struct wl_event_source *listen_source;
	struct wl_protocol_logger *logger;
	struct wl_list windows;     /* struct window::link */
	uint32_t next_id;
	struct wl_list connections; /* struct connection::link */
	unsigned buttons_down;      /* 1 << (code - BTN_LEFT) */
	struct wl_listener frame;   /* on the output while screenshots wait */
	struct weston_output *frame_output;
	struct wl_listener destroy;
};

/* A toplevel's surface, numbered for as long as it lives. */
struct window {
	struct wl_list link;
	struct weston_surface *surface;
	uint32_t id, parent_id;
	struct wl_listener destroyed;
};

struct connection {
	struct probe *probe;
	struct wl_list link;
	int fd;
	struct wl_event_source *source;
	char in[1024];
	size_t len;
	char *shot; /* the file of a screenshot waiting for its frame */
};

static void connection_free(struct connection *c);

/* ---- windows ------------------------------------------------------------------------------ */

static void window_destroyed(struct wl_listener *listener, void *data)
{
	struct window *w = wl_container_of(listener, w, destroyed);
	(void)data;
	wl_list_remove(&w->link);
	wl_list_remove(&w->destroyed.link);
	free(w);
}

static struct window *window_of(struct probe *p, struct weston_surface *surface)
{
	struct window *w;
	wl_list_for_each(w, &p->windows, link)
		if (w->surface == surface)
			return w;
	w = calloc(1, sizeof *w);
	if (!w)
		return NULL;
	w->surface = surface;
	w->id = ++p->next_id;
	w->destroyed.notify = window_destroyed;
	wl_signal_add(&surface->destroy_signal, &w->destroyed);
	wl_list_insert(p->windows.prev, &w->link);
	return w;
}

/* libweston-desktop gives no parent, so we watch the requests that set one. The user data of an
 * xdg_toplevel resource is its weston_desktop_surface (so in libweston-desktop 10). */
static void watch_requests(void *data, enum wl_protocol_logger_type direction,
			   const struct wl_protocol_logger_message *m)
{
	struct probe *p = data;
	if (direction != WL_PROTOCOL_LOGGER_REQUEST || strcmp(m->message->name, "set_parent") != 0 ||
	    strcmp(wl_resource_get_class(m->resource), "xdg_toplevel") != 0)
		return;
	struct weston_desktop_surface *ds = wl_resource_get_user_data(m->resource);
	struct wl_resource *parent_resource = (struct wl_resource *)m->arguments[0].o;
	struct weston_desktop_surface *parent = parent_resource ? wl_resource_get_user_data(parent_resource) : NULL;
	struct window *child = ds ? window_of(p, weston_desktop_surface_get_surface(ds)) : NULL;
	struct window *up = parent ? window_of(p, weston_desktop_surface_get_surface(parent)) : NULL;
	if (child)
		child->parent_id = up ? up->id : 0;
}

struct toplevels {
	struct weston_desktop_surface *found[64]; /* plenty for a game of a few windows */
	int count;
};

static enum wl_iterator_result collect_toplevel(struct wl_resource *resource, void *data)
{
	struct toplevels *t = data;
	/* A toplevel whose wl_surface is gone stays behind inert, without user data. */
	if (strcmp(wl_resource_get_class(resource), "xdg_toplevel") == 0 && wl_resource_get_user_data(resource) &&
	    t->count < 64)
		t->found[t->count++] = wl_resource_get_user_data(resource);
	return WL_ITERATOR_CONTINUE;
}

static uint32_t id_of(struct probe *p, struct weston_desktop_surface *ds)
{
	struct window *w = window_of(p, weston_desktop_surface_get_surface(ds));
	return w ? w->id : 0;
}

/* Every client's toplevels, oldest first. */
static void all_toplevels(struct probe *p, struct toplevels *t)
{
	struct wl_client *client;
	t->count = 0;
	wl_client_for_each(client, wl_display_get_client_list(p->compositor->wl_display))
		wl_client_for_each_resource(client, collect_toplevel, t);
	for (int i = 1; i < t->count; i++)
		for (int j = i; j > 0 && id_of(p, t->found[j - 1]) > id_of(p, t->found[j]); j--) {
			struct weston_desktop_surface *swap = t->found[j];
			t->found[j] = t->found[j - 1];
			t->found[j - 1] = swap;
		}
}

static struct weston_output *first_output(struct probe *p)
{
	struct weston_output *output;
	if (wl_list_empty(&p->compositor->output_list))
		return NULL;
	return wl_container_of(p->compositor->output_list.next, output, link);
}

/* The view the shell placed: desktop-shell gives each toplevel one. */
static struct weston_view *view_of(struct weston_surface *surface)
{
	struct weston_view *v;
	wl_list_for_each(v, &surface->views, surface_link)
		if (v->layer_link.layer)
			return v;
	return NULL;
}

/* A minimised window's view stays mapped but sits in a layer the compositor does not show
 * (desktop-shell's minimized_layer is never in the layer list). */
static bool shown(struct probe *p, struct weston_view *view)
{
	struct weston_layer *layer;
	if (!view || !weston_view_is_mapped(view))
		return false;
	wl_list_for_each(layer, &p->compositor->layer_list, link)
		if (layer == view->layer_link.layer)
			return layer->position != WESTON_LAYER_POSITION_HIDDEN;
	return false;
}

static const char *state_of(struct probe *p, struct weston_surface *surface)
{
	struct weston_view *view = view_of(surface);
	if (!weston_surface_is_mapped(surface) || !view)
		return "unmapped";
	return shown(p, view) ? "normal" : "minimized";
}

static struct weston_desktop_surface *find_toplevel(struct probe *p, const char *id_text)
{
	struct toplevels t;
	char *end;
	unsigned long id = strtoul(id_text, &end, 10);
	if (*id_text == '\0' || *end != '\0')
		return NULL;
	all_toplevels(p, &t);
	for (int i = 0; i < t.count; i++)
		if (id_of(p, t.found[i]) == id)
			return t.found[i];
	return NULL;
}

/* ---- answers ------------------------------------------------------------------------------ */

static void reply(struct connection *c, const char *format, ...)
{
	char text[512];
	va_list args;
	va_start(args, format);
	int n = vsnprintf(text, sizeof text - 1, format, args);
	va_end(args);
	if (n < 0)
		return;
	if ((size_t)n > sizeof text - 2)
		n = sizeof text - 2;
	text[n++] = '\n';
	/* Answers are small. A client gone loses them (no SIGPIPE); one that only stopped sending
	 * still reads them. */
	for (int done = 0; done < n;) {
		ssize_t w = send(c->fd, text + done, (size_t)(n - done), MSG_NOSIGNAL);
		if (w < 0 && errno == EINTR)
			continue;
		if (w <= 0)
			break;
		done += (int)w;
	}
}

static void list_windows(struct connection *c)
{
	struct probe *p = c->probe;
	struct weston_output *output = first_output(p);
	struct weston_keyboard *keyboard = weston_seat_get_keyboard(&p->seat);
	struct weston_surface *focus = keyboard && keyboard->focus ? weston_surface_get_main_surface(keyboard->focus) : NULL;
	struct toplevels t;
	all_toplevels(p, &t);
	for (int i = 0; i < t.count; i++) {
		struct weston_desktop_surface *ds = t.found[i];
		struct weston_surface *surface = weston_desktop_surface_get_surface(ds);
		struct window *w = window_of(p, surface);
		struct weston_geometry g = weston_desktop_surface_get_geometry(ds);
		struct weston_view *view = view_of(surface);
		int x = 0, y = 0;
		if (view && output) {
			x = (int)view->geometry.x + g.x - output->x;
			y = (int)view->geometry.y + g.y - output->y;
		}
		const char *title = weston_desktop_surface_get_title(ds);
		const char *app_id = weston_desktop_surface_get_app_id(ds);
		if (w)
			reply(c, "%u %s %dx%d%+d%+d %s \"%s\" %s %s", w->id, state_of(p, surface), g.width, g.height,
			      x, y, w->parent_id ? "dialog" : "window", title ? title : "",
			      app_id && *app_id ? app_id : "-", surface == focus ? "focused" : "-");
	}
	reply(c, "ok");
}

/* ---- input -------------------------------------------------------------------------------- */

/* Linux names keys KEY_ENTER, KEY_ESC, KEY_LEFTALT...: we take them in lower case, without the
 * prefix, and "escape" too. */
static int key_code(const char *name)
{
	char full[64] = "KEY_";
	char *end;
	long code = strtol(name, &end, 10);
	if (*name != '\0' && *end == '\0')
		return code > 0 && code <= KEY_MAX ? (int)code : -1;
	if (strcmp(name, "escape") == 0)
		name = "esc";
	if (strlen(name) >= sizeof full - 4)
		return -1;
	for (size_t i = 0; name[i]; i++)
		full[4 + i] = (char)(name[i] >= 'a' && name[i] <= 'z' ? name[i] - 'a' + 'A' : name[i]);
	return libevdev_event_code_from_name(EV_KEY, full);
}

static int button_code(const char *name)
{
	if (!name || strcmp(name, "left") == 0)
		return BTN_LEFT;
	if (strcmp(name, "right") == 0)
		return BTN_RIGHT;
	if (strcmp(name, "middle") == 0)
		return BTN_MIDDLE;
	return -1;
}

static bool key_held(struct weston_keyboard *keyboard, uint32_t code)
{
	uint32_t *k;
	wl_array_for_each(k, &keyboard->keys)
		if (*k == code)
			return true;
	return false;
}

/* weston keeps the xkb state from the keys it is told of, so held modifiers modify. */
static const char *press_key(struct probe *p, const char *name, int down, int up)
{
	struct weston_keyboard *keyboard = weston_seat_get_keyboard(&p->seat);
	struct timespec now;
	int code = key_code(name);
	if (code < 0)
		return "unknown key";
	if (down && key_held(keyboard, (uint32_t)code))
		return "the key is already down";
	if (up && !down && !key_held(keyboard, (uint32_t)code))
		return "the key is not down";
	weston_compositor_get_time(&now);
	if (down)
		notify_key(&p->seat, &now, (uint32_t)code, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
	if (up)
		notify_key(&p->seat, &now, (uint32_t)code, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
	return NULL;
}

static const char *move_pointer(struct probe *p, const char *xs, const char *ys)
{
	struct weston_output *output = first_output(p);
	struct timespec now;
	char *xe, *ye;
	long x = strtol(xs, &xe, 10), y = strtol(ys, &ye, 10);
	if (*xs == '\0' || *ys == '\0' || *xe != '\0' || *ye != '\0')
		return "X and Y must be whole numbers";
	if (!output || x < 0 || y < 0 || x >= output->width || y >= output->height)
		return "the point is not on the output";
	weston_compositor_get_time(&now);
	/* Whole numbers: Qt rounds a pointer position, so x + 0.5 would reach it as x + 1. */
	notify_motion_absolute(&p->seat, &now, output->x + (double)x, output->y + (double)y);
	notify_pointer_frame(&p->seat);
	return NULL;
}

/* weston counts the buttons down: a release of a button that is up would upset its grabs. */
static const char *press_button(struct probe *p, const char *name, int down, int up)
{
	struct timespec now;
	int code = button_code(name);
	if (code < 0)
		return "the button is left, right or middle";
	unsigned bit = 1u << (code - BTN_LEFT);
	if (down && (p->buttons_down & bit))
		return "the button is already down";
	if (up && !down && !(p->buttons_down & bit))
		return "the button is not down";
	p->buttons_down = (p->buttons_down | bit) & (up ? ~bit : ~0u);
	weston_compositor_get_time(&now);
	if (down) {
		notify_button(&p->seat, &now, code, WL_POINTER_BUTTON_STATE_PRESSED);
		notify_pointer_frame(&p->seat);
	}
	if (up) {
		notify_button(&p->seat, &now, code, WL_POINTER_BUTTON_STATE_RELEASED);
		notify_pointer_frame(&p->seat);
	}
	return NULL;
}

static void raise_view(struct weston_view *view)
{
	struct weston_layer *layer = view->layer_link.layer;
	weston_layer_entry_remove(&view->layer_link);
	weston_layer_entry_insert(&layer->view_list, &view->layer_link);
	weston_view_geometry_dirty(view);
	weston_surface_damage(view->surface);
}

/* What desktop-shell does for a click on a window: keyboard focus (the shell then sends the
 * activated state) and the window on top of its layer, its dialogs above it. */
static const char *activate(struct probe *p, struct weston_desktop_surface *ds)
{
	struct weston_surface *surface = weston_desktop_surface_get_surface(ds);
	struct weston_view *view = view_of(surface);
	uint32_t id = id_of(p, ds);
	struct toplevels t;
	if (!weston_surface_is_mapped(surface) || !shown(p, view))
		return "the window is not shown (unmapped or minimised)";
	weston_view_activate_input(view, &p->seat, WESTON_ACTIVATE_FLAG_CLICKED);
	raise_view(view);
	all_toplevels(p, &t);
	for (int i = 0; i < t.count; i++) {
		struct weston_surface *child = weston_desktop_surface_get_surface(t.found[i]);
		struct window *w = window_of(p, child);
		if (id && w && w->parent_id == id && shown(p, view_of(child)))
			raise_view(view_of(child));
	}
	return NULL;
}

/* ---- screenshots -------------------------------------------------------------------------- */

static const char *write_png(const char *file, const uint8_t *pixels, int width, int height,
			     bool bgr, bool flip)
{
	FILE *f = fopen(file, "wb");
	if (!f)
		return strerror(errno);
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
	png_infop info = png ? png_create_info_struct(png) : NULL;
	if (!info || setjmp(png_jmpbuf(png))) {
		png_destroy_write_struct(&png, &info);
		fclose(f);
		return "libpng could not write the file";
	}
	png_init_io(png, f);
	png_set_compression_level(png, 1); /* tests take many; size hardly matters */
	png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
		     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
	png_write_info(png, info);
	/* 32-bit pixels in memory order B G R X (or R G B X): drop the fourth byte. */
	png_set_filler(png, 0, PNG_FILLER_AFTER);
	if (bgr)
		png_set_bgr(png);
	for (int y = 0; y < height; y++)
		png_write_row(png, pixels + (size_t)(flip ? height - 1 - y : y) * (size_t)width * 4);
	png_write_end(png, NULL);
	png_destroy_write_struct(&png, &info);
	return fclose(f) == 0 ? NULL : strerror(errno);
}

static void frame_done(struct wl_listener *listener, void *data)
{
	struct probe *p = wl_container_of(listener, p, frame);
	(void)data; /* the damage; the output is the one we listen on */
	struct weston_output *output = p->frame_output;
	struct weston_compositor *ec = p->compositor;
	struct connection *c, *next;
	const char *error = NULL;
	int width = output->current_mode->width, height = output->current_mode->height;
	bool bgr = ec->read_format == PIXMAN_a8r8g8b8 || ec->read_format == PIXMAN_x8r8g8b8;
	uint8_t *pixels = malloc((size_t)width * (size_t)height * 4);

	wl_list_remove(&p->frame.link);
	p->frame_output = NULL;
	if (!pixels)
		error = "out of memory";
	else if (!bgr && ec->read_format != PIXMAN_a8b8g8r8 && ec->read_format != PIXMAN_x8b8g8r8)
		error = "the renderer reads pixels in a format this probe does not know";
	else if (ec->renderer->read_pixels(output, ec->read_format, pixels, 0, 0, (uint32_t)width, (uint32_t)height) < 0)
		error = "the renderer could not read the output";
	wl_list_for_each_safe(c, next, &p->connections, link) {
		if (!c->shot)
			continue;
		const char *failed = error ? error
			: write_png(c->shot, pixels, width, height, bgr, ec->capabilities & WESTON_CAP_CAPTURE_YFLIP);
		if (failed)
			reply(c, "error: %s: %s", c->shot, failed);
		else
			reply(c, "ok");
		connection_free(c);
	}
	free(pixels);
}

static const char *screenshot(struct connection *c, const char *file)
{
	struct probe *p = c->probe;
	struct weston_output *output = first_output(p);
	if (!output)
		return "there is no output";
	c->shot = strdup(file);
	if (!c->shot)
		return "out of memory";
	if (!p->frame_output) {
		p->frame.notify = frame_done;
		wl_signal_add(&output->frame_signal, &p->frame);
		p->frame_output = output;
	}
	/* Undamaged parts stay in the renderer's buffer; the next repaint brings it up to date. */
	weston_output_schedule_repaint(output);
	return NULL;
}

/* ---- commands ----------------------------------------------------------------------------- */

static void run_command(struct connection *c, char *line)
{
	struct probe *p = c->probe;
	char *word[5];
	int n = 0;
	const char *error = NULL;
	for (char *save = NULL, *w = strtok_r(line, " \t\r", &save); w; w = strtok_r(NULL, " \t\r", &save)) {
		if (n == 5) {
			reply(c, "error: too many words");
			return;
		}
		word[n++] = w;
	}
	if (n == 0) {
		error = "empty command";
	} else if (strcmp(word[0], "windows") == 0 && n == 1) {
		list_windows(c);
		return;
	} else if (strcmp(word[0], "key") == 0 && n == 3 && (!strcmp(word[1], "down") || !strcmp(word[1], "up"))) {
		error = press_key(p, word[2], word[1][0] == 'd', word[1][0] == 'u');
	} else if (strcmp(word[0], "key") == 0 && n == 2) {
		error = press_key(p, word[1], 1, 1);
	} else if (strcmp(word[0], "move") == 0 && n == 3) {
		error = move_pointer(p, word[1], word[2]);
	} else if (strcmp(word[0], "click") == 0 && (n == 3 || n == 4)) {
		error = button_code(n == 4 ? word[3] : NULL) < 0 ? "the button is left, right or middle"
								 : move_pointer(p, word[1], word[2]);
		if (!error)
			error = press_button(p, n == 4 ? word[3] : NULL, 1, 1);
	} else if (strcmp(word[0], "button") == 0 && (n == 2 || n == 3) &&
		   (!strcmp(word[1], "down") || !strcmp(word[1], "up"))) {
		error = press_button(p, n == 3 ? word[2] : NULL, word[1][0] == 'd', word[1][0] == 'u');
	} else if ((strcmp(word[0], "activate") == 0 || strcmp(word[0], "close") == 0) && n == 2) {
		struct weston_desktop_surface *ds = find_toplevel(p, word[1]);
		if (!ds)
			error = "no toplevel has that ID";
		else if (word[0][0] == 'a')
			error = activate(p, ds);
		else
			weston_desktop_surface_close(ds);
	} else if (strcmp(word[0], "screenshot") == 0 && n == 2) {
		error = screenshot(c, word[1]);
		if (!error)
			return; /* answered when the frame is read */
	} else {
		error = "unknown command; see probe_module.c for the commands";
	}
	if (error) {
		reply(c, "error: %s", error);
		return;
	}
	wl_display_flush_clients(p->compositor->wl_display);
	reply(c, "ok");
}

static void connection_free(struct connection *c)
{
	wl_list_remove(&c->link);
	if (c->source)
		wl_event_source_remove(c->source);
	close(c->fd);
	free(c->shot);
	free(c);
}

/* Reads the command's line, runs it, answers and closes; a screenshot answers at its frame. */
static int connection_readable(int fd, uint32_t mask, void *data)
{
	struct connection *c = data;
	ssize_t got = 0;
	if (mask & WL_EVENT_READABLE)
		got = read(fd, c->in + c->len, sizeof c->in - 1 - c->len);
	if (got < 0 && (errno == EAGAIN || errno == EINTR))
		return 0;
	if (got <= 0) { /* gone before the end of its line */
		connection_free(c);
		return 0;
	}
	c->len += (size_t)got;
	char *end = memchr(c->in, '\n', c->len);
	if (!end && c->len < sizeof c->in - 1)
		return 0;
	wl_event_source_remove(c->source);
	c->source = NULL;
	if (end) {
		*end = '\0';
		run_command(c, c->in);
	} else {
		reply(c, "error: line too long");
	}
	if (!c->shot)
		connection_free(c);
	return 0;
}

static int accept_connection(int fd, uint32_t mask, void *data)
{
	struct probe *p = data;
	(void)mask;
	int client = accept4(fd, NULL, NULL, SOCK_CLOEXEC | SOCK_NONBLOCK);
	struct connection *c = client >= 0 ? calloc(1, sizeof *c) : NULL;
	if (!c) {
		if (client >= 0)
			close(client);
		return 0;
	}
	c->probe = p;
	c->fd = client;
	c->source = wl_event_loop_add_fd(wl_display_get_event_loop(p->compositor->wl_display), client,
					 WL_EVENT_READABLE, connection_readable, c);
	wl_list_insert(&p->connections, &c->link);
	return 0;
}

/* ---- set-up ------------------------------------------------------------------------------- */

static void probe_destroy(struct wl_listener *listener, void *data)
{
	struct probe *p = wl_container_of(listener, p, destroy);
	(void)data;
	struct connection *c, *next;
	wl_list_for_each_safe(c, next, &p->connections, link)
		connection_free(c);
	if (p->frame_output)
		wl_list_remove(&p->frame.link);
	wl_event_source_remove(p->listen_source);
	close(p->listen_fd);
	unlink(p->socket_path);
	wl_protocol_logger_destroy(p->logger);
	weston_seat_release(&p->seat);
	free(p->socket_path);
	free(p);
}

static int listen_on(const char *path)
{
	struct sockaddr_un address = {.sun_family = AF_UNIX};
	if (strlen(path) >= sizeof address.sun_path) {
		weston_log("wl-probe: socket path too long: %s\n", path);
		return -1;
	}
	strcpy(address.sun_path, path);
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
	unlink(path);
	if (fd < 0 || bind(fd, (struct sockaddr *)&address, sizeof address) < 0 || listen(fd, 8) < 0) {
		weston_log("wl-probe: cannot listen on %s: %s\n", path, strerror(errno));
		if (fd >= 0)
			close(fd);
		return -1;
	}
	return fd;
}

WL_EXPORT int wet_module_init(struct weston_compositor *compositor, int *argc, char *argv[])
{
	const char *path = getenv("WL_PROBE_SOCKET");
	(void)argc;
	(void)argv;
	if (!path || !*path) {
		weston_log("wl-probe: set WL_PROBE_SOCKET to the control socket's path\n");
		return -1;
	}
	struct probe *p = calloc(1, sizeof *p);
	if (!p)
		return -1;
	p->compositor = compositor;
	p->socket_path = strdup(path);
	p->listen_fd = listen_on(path);
	if (!p->socket_path || p->listen_fd < 0) {
		free(p->socket_path);
		free(p);
		return -1;
	}
	wl_list_init(&p->windows);
	wl_list_init(&p->connections);
	weston_seat_init(&p->seat, compositor, "probe");
	if (weston_seat_init_pointer(&p->seat) < 0 || weston_seat_init_keyboard(&p->seat, NULL) < 0) {
		weston_log("wl-probe: cannot give the seat a pointer and a keyboard\n");
		return -1; /* weston exits: a test without input is no test */
	}
	p->listen_source = wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), p->listen_fd,
						WL_EVENT_READABLE, accept_connection, p);
	p->logger = wl_display_add_protocol_logger(compositor->wl_display, watch_requests, p);
	weston_compositor_add_destroy_listener_once(compositor, &p->destroy, probe_destroy);
	weston_log("wl-probe: seat \"probe\", commands on %s\n", path);
	return 0;
}
