#!/usr/bin/env python3
"""Serves a folder on the loopback, as a static web host does: the app's folder, with its
index.html at the root address, or a folder with the one file, to which the root address leads.
It sends cross-origin isolation (COOP same-origin, COEP require-corp) unless told not to, as most
hosts cannot: the page needs neither. Prints the root address once listening. Port 0 takes a
free one."""
import argparse
import functools
import os
import http.server


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.webmanifest': 'application/manifest+json', '.js': 'text/javascript'}

    def __init__(self, *args, page, isolation, **kwargs):
        self.page = page
        self.isolation = isolation
        super().__init__(*args, **kwargs)

    # A folder with no index leads from the root address to the page, with any query it carries:
    # the page's address names it, as when opened from disk.
    def send_head(self):
        if self.page and (self.path == '/' or self.path.startswith('/?')):
            self.send_response(302)
            self.send_header('Location', '/' + self.page + self.path[1:])
            self.send_header('Content-Length', '0')
            self.end_headers()
            return None
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
    args.add_argument('--page', help='the page the root address leads to, where the folder has no '
                      'index.html (halmira.html unless given)')
    args.add_argument('--no-isolation', dest='isolation', action='store_false',
                      help='send no cross-origin isolation headers, as most hosts')
    a = args.parse_args()
    if a.page is None and not os.path.exists(os.path.join(a.folder, 'index.html')):
        a.page = 'halmira.html'
    handler = functools.partial(Handler, directory=a.folder, page=a.page, isolation=a.isolation)
    with http.server.ThreadingHTTPServer(('127.0.0.1', a.port), handler) as server:
        print(f'http://127.0.0.1:{server.server_address[1]}/', flush=True)
        server.serve_forever()


if __name__ == '__main__':
    main()
