#!/usr/bin/env python3
"""Serves a folder on the loopback, with the page at the root address. It sends cross-origin
isolation (COOP same-origin, COEP require-corp) unless told not to, as most hosts cannot: the
page needs neither. Prints the root address once listening. Port 0 takes a free one."""
import argparse
import functools
import http.server


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, page, isolation, **kwargs):
        self.page = page
        self.isolation = isolation
        super().__init__(*args, **kwargs)

    # The root address is the page itself, with any query it carries.
    def send_head(self):
        if self.path == '/' or self.path.startswith('/?'):
            self.path = '/' + self.page + self.path[1:]
        return super().send_head()

    def end_headers(self):
        if self.isolation:
            self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
            self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def log_message(self, *args):
        pass


def main():
    args = argparse.ArgumentParser()
    args.add_argument('folder')
    args.add_argument('--port', type=int, default=8000)
    args.add_argument('--page', default='halmira.html')
    args.add_argument('--no-isolation', dest='isolation', action='store_false',
                      help='send no cross-origin isolation headers, as most hosts')
    a = args.parse_args()
    handler = functools.partial(Handler, directory=a.folder, page=a.page, isolation=a.isolation)
    with http.server.ThreadingHTTPServer(('127.0.0.1', a.port), handler) as server:
        print(f'http://127.0.0.1:{server.server_address[1]}/', flush=True)
        server.serve_forever()


if __name__ == '__main__':
    main()
