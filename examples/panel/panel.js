// pyCallbacks (callback name to id) comes from the host's start-up code,
// which may arrive after this script has run.

// Python calls this with ExecuteJavascript; the page reports what it saw.
function receiveFromPython(message) {
  document.title = "Python says: " + message;
  host.call_python_callback(pyCallbacks.answer_seen, [message, document.title]);
}

(function reportReady() {
  if (typeof pyCallbacks === "undefined") {
    setTimeout(reportReady, 10);
    return;
  }
  console.log("panel.js running with callbacks " + JSON.stringify(pyCallbacks));
  host.call_python_callback(pyCallbacks.page_ready,
                            [location.href, 42, true, ["nested", 7]]);
})();
