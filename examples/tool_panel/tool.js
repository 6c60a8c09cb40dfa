// A tool panel over the host's scene items: a list, buttons, answers from
// Python, refusals shown in the page, events from Python, and an export
// that Python answers later, with progress and a cancel button. It runs in a
// browser with a DOM and, without one, reports to the console alone.
(window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {
  var items = [];
  var selected = null;
  var hasDom = typeof document.getElementById === "function";

  function element(id) {
    return hasDom ? document.getElementById(id) : null;
  }

  function showStatus(text, refused) {
    var status = element("status");
    if (status) {
      status.textContent = text;
      status.className = refused ? "refused" : "";
    }
    (refused ? console.warn : console.log).call(console, "status: " + text);
  }

  function showItems(newItems) {
    items = newItems;
    var list = element("items");
    if (list) {
      list.innerHTML = "";
      items.forEach(function (item) {
        var entry = document.createElement("li");
        entry.textContent = item.name + (item.visible ? "" : " (hidden)");
        entry.className = item.name === selected ? "selected" : "";
        entry.onclick = function () { selected = item.name; showItems(items); };
        list.appendChild(entry);
      });
    }
    console.log("items: " + items.map(function (item) { return item.name; }).join(", "));
  }

  function refused(error) {
    showStatus(error.message, true);
  }

  function refresh() {
    return zubrix.call("list_items").then(showItems, refused);
  }

  function rename(oldName, newName) {
    return zubrix.call("rename", oldName, newName).then(function (item) {
      selected = item.name;
      showStatus("renamed " + oldName + " to " + item.name, false);
    }, refused);
  }

  function toggleVisible(name) {
    var item = items.filter(function (each) { return each.name === name; })[0];
    return zubrix.call("set_visible", name, !(item && item.visible)).then(null, refused);
  }

  var exporting = null;

  // Resolves once the export ended, however it ended. cancelAtFirstStep
  // plays the user who presses Cancel as soon as the export shows.
  function exportTo(path, cancelAtFirstStep) {
    exporting = zubrix.call("export", path).progress(function (done) {
      showStatus("exporting " + path + ": " + Math.round(done * 100) + "%", false);
      if (cancelAtFirstStep) {
        cancelExport();
      }
    });
    return exporting.then(function (result) {
      showStatus("exported " + result.items + " items to " + result.path, false);
    }, function (error) {
      showStatus(error.name === "AbortError" ? "the export to " + path + " was cancelled"
                 : error.message, error.name !== "AbortError");
    });
  }

  function cancelExport() {
    if (exporting) {
      exporting.cancel();
    }
  }

  if (hasDom) {
    element("export").onclick = function () { exportTo(element("export-path").value); };
    element("cancel-export").onclick = cancelExport;
    element("rename").onclick = function () { rename(selected, element("new-name").value); };
    element("hide").onclick = function () { toggleVisible(selected); };
    element("refresh").onclick = refresh;
  }
  // The host's own menu entries start the same actions as the buttons.
  zubrix.expose("rename_item", rename);
  zubrix.expose("toggle_item", toggleVisible);
  zubrix.expose("export_to", exportTo);

  zubrix.on("items_changed", showItems);
  zubrix.on("autosaved", function (path, seconds) {
    showStatus("autosaved to " + path + " in " + seconds.toFixed(1) + " s", false);
  });
  refresh();
});
