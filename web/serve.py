#!/usr/bin/env python3
"""Serves a folder on the loopback with cross-origin isolation (COOP same-origin, COEP
require-corp), which the browser edition needs to sleep through its pace waits.
Prints the address once listening. Port 0 takes a free one."""
import argparse
import functools
import http.server


class IsolatedHandler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
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
    a = args.parse_args()
    handler = functools.partial(IsolatedHandler, directory=a.folder)
    with http.server.ThreadingHTTPServer(('127.0.0.1', a.port), handler) as server:
        print(f'http://127.0.0.1:{server.server_address[1]}/{a.page}', flush=True)
        server.serve_forever()


if __name__ == '__main__':
    main()
