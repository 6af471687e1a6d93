"""The far end of the page's fake ports: a WebSocket server on 127.0.0.1
that joins each connection, ws://127.0.0.1:PORT/NAME, to the simulated
adapter's pty at links[NAME], raw, byte for byte both ways: first the text
"opened" once the pty is open, or a close where it cannot be; then the
line's bytes. It runs in a thread of the test."""

import asyncio
import os
import termios
import threading
import tty

import websockets


class SerialBridge:
    def __init__(self, links):
        self.links = links  # port name -> the pty's path
        self.loop = asyncio.new_event_loop()
        started = threading.Event()
        self.thread = threading.Thread(target=self._run, args=(started,), daemon=True)
        self.thread.start()
        started.wait(30)
        self.url = f"ws://127.0.0.1:{self.port}"

    def _run(self, started):
        asyncio.set_event_loop(self.loop)

        async def serve():
            self.server = await websockets.serve(self._join, "127.0.0.1", 0)
            self.port = self.server.sockets[0].getsockname()[1]
            started.set()

        self.loop.run_until_complete(serve())
        self.loop.run_forever()

    async def _join(self, socket, path=None):
        # websockets before 10.1 passes the path; later versions keep it on the socket.
        request = getattr(socket, "request", None)
        path = request.path if request is not None else (path or socket.path)
        try:
            fd = os.open(self.links[path.lstrip("/")], os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        except (KeyError, OSError):
            await socket.close(code=4404, reason="no such port")
            return
        tty.setraw(fd, termios.TCSANOW)  # what waits on the line stays
        # The page's port opens once the line is there.
        await socket.send("opened")
        received = asyncio.Queue()

        def readable():
            try:
                data = os.read(fd, 4096)
            except (BlockingIOError, InterruptedError):
                return
            except OSError:  # the simulator has gone: its pty hung up
                data = b""
            if not data:
                self.loop.remove_reader(fd)
            received.put_nowait(data)

        self.loop.add_reader(fd, readable)

        async def to_page():
            while True:
                data = await received.get()
                if not data:
                    return
                await socket.send(data)

        sending = asyncio.ensure_future(to_page())
        try:
            async for message in socket:
                os.write(fd, message if isinstance(message, bytes) else message.encode())
        except websockets.ConnectionClosed:
            pass
        finally:
            sending.cancel()
            self.loop.remove_reader(fd)
            os.close(fd)

    def close(self):
        async def stop():
            self.server.close()
            await self.server.wait_closed()

        asyncio.run_coroutine_threadsafe(stop(), self.loop).result(10)
        self.loop.call_soon_threadsafe(self.loop.stop)
        self.thread.join(10)

