// Every call of the page into the browser's Web Serial: the ports the page
// may use, the browser's chooser, and the transport over the port of a run,
// whose reads and writes the core's port (serial_port_web.cpp) waits for.
Module.zadeSerial = (() => {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  // How long a write may take to get through, and a close for the last
  // write to reach the line.
  const kWriteMs = 2000;
  const kDrainMs = 1000;
  let port = null;  // the port of the run
  let arrived = [];  // bytes read, not yet taken by the core
  let failed = false;  // the port failed (unplugged): every read ends at once

  return {
    supported: () => typeof navigator !== "undefined" && "serial" in navigator,
    ports: () => navigator.serial.getPorts(),
    // The port the user chooses; null when the chooser is cancelled.
    async choose() {
      try {
        return await navigator.serial.requestPort();
      } catch (error) {
        if (error.name === "NotFoundError") return null;
        throw error;
      }
    },
    onChange(callback) {
      navigator.serial.addEventListener("connect", callback);
      navigator.serial.addEventListener("disconnect", callback);
    },
    // {vendor, product}, -1 each where the browser tells none.
    usbIdentity(chosen) {
      const info = chosen.getInfo ? chosen.getInfo() : {};
      const known = (id) => (Number.isInteger(id) ? id : -1);
      return {vendor: known(info.usbVendorId), product: known(info.usbProductId)};
    },

    use(chosen) {
      port = chosen;
    },
    async open(baudRate) {
      arrived = [];
      failed = false;
      try {
        await port.open({baudRate, dataBits: 8, stopBits: 1, parity: "none", flowControl: "none"});
      } catch (error) {
        return false;
      }
      try {
        await port.setSignals({dataTerminalReady: false, requestToSend: false});
      } catch (error) {
        // A port without modem lines refuses them; the adapter needs none.
      }
      return true;
    },
    // True once bytes have arrived or the port failed, false after ms.
    // Web Serial reads have no time limit: the reader's lock is released on
    // a timer, which ends the pending read and leaves what arrives in the
    // stream for the next one (a cancel would throw it away).
    async waitReadable(ms) {
      if (arrived.length > 0 || failed) return true;
      if (!port.readable) {
        failed = true;
        return true;
      }
      const reader = port.readable.getReader();
      let timedOut = false;
      const timer = setTimeout(() => {
        timedOut = true;
        reader.releaseLock();
      }, ms);
      try {
        const {value, done} = await reader.read();
        if (done) {
          failed = true;
        } else {
          arrived.push(...value);
        }
      } catch (error) {
        if (!timedOut) failed = true;
      } finally {
        clearTimeout(timer);
        if (!timedOut) reader.releaseLock();
      }
      return arrived.length > 0 || failed;
    },
    // Up to max bytes of those that arrived; null once the port failed.
    take(max) {
      if (arrived.length === 0 && failed) return null;
      return Uint8Array.from(arrived.splice(0, max));
    },
    // False when the write failed, or did not get through in time.
    async write(bytes) {
      if (!port.writable) return false;
      const writer = port.writable.getWriter();
      const written = writer.write(bytes).then(() => true, () => false);
      const done = await Promise.race([written, sleep(kWriteMs).then(() => false)]);
      writer.releaseLock();
      return done;
    },
    // Closed whatever happened, so that another program can take the port.
    // A close right after a write can lose it: closing the writable stream
    // first lets the write reach the line; one that never gets there is
    // aborted. A close fails while a lock is held: none is by then.
    async close() {
      if (port.writable && !port.writable.locked) {
        const writer = port.writable.getWriter();
        const drained = writer.close().then(() => true, () => true);
        if (!(await Promise.race([drained, sleep(kDrainMs).then(() => false)]))) {
          await writer.abort().catch(() => {});
        }
        try {
          writer.releaseLock();
        } catch (error) {
          // released with the stream already
        }
      }
      try {
        await port.close();
      } catch (error) {
        // an unplugged port is closed already
      }
    },
  };
})();
