// An in-page fake of navigator.serial for the page's tests, after the WHATWG
// Web Serial interfaces, whose ports reach the simulated adapter through a
// WebSocket of the test (serial_bridge.py). Set up by the test before the
// page loads:
//   window.fakeSerialConfig = {bridge: "ws://127.0.0.1:PORT",
//     ports: [{name: "com12", vendor: 0x0403, product: 0x6001, modemLines: true}],
//     chooser: "cancel" or the name of the port the user picks};
// what the page did lands in window.fakeSerialLog, and the test plugs and
// unplugs ports with fakeSerial.plug(setup) and fakeSerial.unplug(name), a
// setup being what fakeSerialConfig.ports holds for one port.
(() => {
  const config = window.fakeSerialConfig;
  if (!config) return;
  const log = (window.fakeSerialLog = []);
  const lost = () => new DOMException("The device has been lost.", "NetworkError");

  class FakePort extends EventTarget {
    constructor(setup) {
      super();
      this.setup = setup;
      this.state = "closed";
      this.socket = null;
      this.readableStream = null;
      this.writableStream = null;
    }

    getInfo() {
      const {vendor, product} = this.setup;
      return vendor === undefined ? {} : {usbVendorId: vendor, usbProductId: product};
    }

    get readable() {
      return this.state === "open" ? this.readableStream : null;
    }

    get writable() {
      return this.state === "open" ? this.writableStream : null;
    }

    async open(options) {
      if (this.state !== "closed") {
        throw new DOMException("The port is already open.", "InvalidStateError");
      }
      const {baudRate, dataBits = 8, stopBits = 1, parity = "none", flowControl = "none"} =
          options || {};
      if (!Number.isInteger(baudRate) || baudRate <= 0) {
        throw new TypeError("Failed to execute 'open': a positive baudRate is required.");
      }
      if (![7, 8].includes(dataBits) || ![1, 2].includes(stopBits) ||
          !["none", "even", "odd"].includes(parity) ||
          !["none", "hardware"].includes(flowControl)) {
        throw new TypeError("Failed to execute 'open': an option has no such value.");
      }
      this.state = "opening";
      const socket = new WebSocket(`${config.bridge}/${this.setup.name}`);
      socket.binaryType = "arraybuffer";
      try {
        // The bridge says "opened" once the line is there, or closes.
        await new Promise((resolve, reject) => {
          socket.onmessage = (message) => (message.data === "opened" ? resolve() : reject());
          socket.onclose = () => reject(new DOMException("Failed to open serial port.", "NetworkError"));
        });
      } catch (error) {
        this.state = "closed";
        throw error;
      }
      socket.onclose = null;
      log.push({open: {baudRate, dataBits, stopBits, parity, flowControl}});
      this.socket = socket;
      // The line's bytes in chunks of any size, as a driver hands them on.
      const incoming = [];
      let wake = null;
      socket.onmessage = (message) => {
        const bytes = new Uint8Array(message.data);
        for (let at = 0; at < bytes.length;) {
          const size = 1 + Math.floor(Math.random() * (bytes.length - at));
          incoming.push(bytes.slice(at, at + size));
          at += size;
        }
        if (wake) wake();
      };
      // A browser reads the device only while the page reads: what waits on
      // the line reaches the page a moment after its read began.
      this.readableStream = new ReadableStream({
        start: (controller) => {
          this.readController = controller;
        },
        pull: async (controller) => {
          while (incoming.length === 0) await new Promise((resolve) => (wake = resolve));
          wake = null;
          await new Promise((resolve) => setTimeout(resolve, 2));
          controller.enqueue(incoming.shift());
        },
      }, {highWaterMark: 0});
      this.writableStream = new WritableStream({
        write: (chunk) => {
          if (this.state !== "open") throw lost();
          log.push({write: Array.from(chunk)});
          socket.send(chunk);
        },
      });
      this.state = "open";
    }

    async setSignals(signals) {
      if (this.state !== "open") throw new DOMException("The port is closed.", "InvalidStateError");
      const members = ["dataTerminalReady", "requestToSend", "break"];
      if (!signals || members.every((member) => signals[member] === undefined)) {
        throw new TypeError("Failed to execute 'setSignals': Signals dictionary is empty.");
      }
      if (!this.setup.modemLines) {
        throw new DOMException("Failed to set control signals.", "NetworkError");
      }
      log.push({setSignals: signals});
    }

    async close() {
      if (this.state !== "open") throw new DOMException("The port is already closed.", "InvalidStateError");
      if (this.readableStream.locked || this.writableStream.locked) {
        throw new TypeError("Failed to execute 'close': Cannot cancel a locked stream");
      }
      log.push({close: this.setup.name});
      this.state = "closed";
      this.socket.close();
    }

    unplug() {
      if (this.state === "open") {
        this.readController.error(lost());
        this.writableStream.abort(lost()).catch(() => {});
        this.socket.close();
      }
      this.state = "closed";
      this.dispatchEvent(new Event("disconnect", {bubbles: true}));
    }
  }

  class FakeSerial extends EventTarget {
    constructor() {
      super();
      this.all = config.ports.map((setup) => new FakePort(setup));
      this.granted = this.all.filter((port) => port.setup.granted !== false);
    }

    async getPorts() {
      return [...this.granted];
    }

    async requestPort() {
      const picked = this.all.find((port) => port.setup.name === config.chooser);
      log.push({requestPort: config.chooser});
      if (!picked) throw new DOMException("No port selected by the user.", "NotFoundError");
      if (!this.granted.includes(picked)) this.granted.push(picked);
      return picked;
    }

    plug(setup) {
      const port = new FakePort(setup);
      this.all.push(port);
      this.granted.push(port);
      this.dispatchEvent(new Event("connect"));
    }

    unplug(name) {
      const port = this.all.find((candidate) => candidate.setup.name === name);
      this.granted = this.granted.filter((candidate) => candidate !== port);
      port.unplug();
      this.dispatchEvent(new Event("disconnect"));
    }
  }

  const serial = new FakeSerial();
  Object.defineProperty(Navigator.prototype, "serial", {get: () => serial, configurable: true});
  window.fakeSerial = serial;
})();
