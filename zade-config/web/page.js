// The page: draws the controls in the browser's language and runs the
// core's one-shot run on the chosen port. Its texts, the run and its lines
// all come from the core (zade_config_web.cpp); the browser's serial calls
// from Module.zadeSerial (serial_web.js).
(() => {
  const serial = Module.zadeSerial;
  const byId = (id) => document.getElementById(id);
  const modes = ["mode-500", "mode-100", "mode-off"];
  // The core's texts, in PageTextKey's order.
  const textKeys = ["caption", "port-label", "choose-port", "mode-group", "mode-500-text",
                    "mode-100-text", "mode-off-text", "write", "result-label", "unsupported"];
  let language = 0;
  let ports = [];  // the browser's ports, in the list's order
  let running = false;
  // While a run waits for the browser, nothing else may call into the core
  // (its stack is unwound meanwhile): a port that comes or goes is listed
  // once the run has ended.
  let portsChanged = false;

  const text = (key) => Module.UTF8ToString(Module.ccall("zc_text", "number", ["number", "number"],
                                                         [language, textKeys.indexOf(key)]));
  const entry = (index) => {
    const {vendor, product} = serial.usbIdentity(ports[index]);
    return Module.UTF8ToString(Module.ccall("zc_port_entry", "number",
                                            ["number", "number", "number", "number"],
                                            [language, index + 1, vendor, product]));
  };
  const chosenMode = () => modes.findIndex((id) => byId(id).checked);
  const chosenPort = () => byId("port").selectedIndex;

  function updateControls() {
    for (const id of ["port", "choose-port", ...modes]) byId(id).disabled = running;
    byId("write").disabled = running || chosenPort() < 0 || chosenMode() < 0;
  }

  function showResult(lines, outcome) {
    const result = byId("result");
    result.textContent = lines;
    const mark = byId("mark");
    mark.className = outcome || "";
    if (outcome) {
      result.dataset.outcome = outcome;
    } else {
      delete result.dataset.outcome;
    }
  }

  // The list anew, keeping the port chosen where it is still there; the
  // only port chosen where there is one.
  async function readPorts(choose) {
    const previous = ports[chosenPort()];
    ports = await serial.ports();
    if (choose && !ports.includes(choose)) ports.push(choose);
    const list = byId("port");
    list.replaceChildren(...ports.map((_, index) => new Option(entry(index))));
    const kept = ports.indexOf(choose || previous);
    list.selectedIndex = kept >= 0 ? kept : ports.length === 1 ? 0 : -1;
    updateControls();
  }

  async function write() {
    const port = chosenPort(), mode = chosenMode();
    if (running || port < 0 || mode < 0) return;
    running = true;
    updateControls();
    const writing = Module.ccall("zc_writing", "number", ["number", "number", "number"],
                                 [language, mode, port + 1]);
    showResult(Module.UTF8ToString(writing), null);
    serial.use(ports[port]);
    const status = await Module.ccall("zc_run", "number", ["number", "number", "number"],
                                      [language, mode, port + 1], {async: true});
    const lines = Module.UTF8ToString(Module.ccall("zc_result", "number", [], []));
    showResult(lines.replace(/\n$/, ""), status === 0 ? "done" : "failed");
    running = false;
    updateControls();
    if (portsChanged) {
      portsChanged = false;
      await readPorts();
    }
    if (document.activeElement === document.body) byId("write").focus();
  }

  function start() {
    language = Module.ccall("zc_language", "number", ["string"], [navigator.language || ""]);
    document.documentElement.lang = ["en", "de", "fr"][language];
    for (const key of textKeys) byId(key).textContent = text(key);
    document.title = text("caption");
    if (!serial.supported()) {
      byId("unsupported").hidden = false;
      return;
    }
    byId("controls").hidden = false;
    byId("port").addEventListener("change", updateControls);
    for (const id of modes) byId(id).addEventListener("change", updateControls);
    byId("choose-port").addEventListener("click", async () => {
      const chosen = await serial.choose();
      if (chosen && !running) await readPorts(chosen);
    });
    byId("controls").addEventListener("submit", (event) => {
      event.preventDefault();
      write();
    });
    serial.onChange(() => {
      if (running) {
        portsChanged = true;
      } else {
        readPorts();
      }
    });
    readPorts();
  }

  if (Module.calledRun) {
    start();
  } else {
    Module.onRuntimeInitialized = start;
  }
})();
