// A tool panel over the host's scene items: a list, buttons, answers from
// Python, refusals shown in the page, and events from Python. It runs in a
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

  if (hasDom) {
    element("rename").onclick = function () { rename(selected, element("new-name").value); };
    element("hide").onclick = function () { toggleVisible(selected); };
    element("refresh").onclick = refresh;
  }
  // The host's own menu entries start the same actions as the buttons.
  zubrix.expose("rename_item", rename);
  zubrix.expose("toggle_item", toggleVisible);

  zubrix.on("items_changed", showItems);
  zubrix.on("autosaved", function (path, seconds) {
    showStatus("autosaved to " + path + " in " + seconds.toFixed(1) + " s", false);
  });
  refresh();
});
