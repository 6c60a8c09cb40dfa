// The page side of a zubrix_cef channel (ES5, no DOM needed).
//
// Python's start-up code runs this file in every allowed page and then
// installs the channel; a page may also include the file itself, before or
// after that: whichever runs first defines window.zubrix, the other keeps it.
//
// A page's code waits for the channel in a ready function, which works
// whether or not this file was included and whichever runs first:
//
//   (window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {
//     zubrix.call("list_items").then(show, showError);
//     zubrix.on("renamed", function (item) { ... });
//     zubrix.expose("select", function (name) { ... });
//   });
(function (global) {
  "use strict";
  if (global.zubrix && global.zubrix._isZubrixChannel) {
    return;
  }

  var CONSOLE_LEVELS = ["log", "info", "warn", "error", "debug"];
  var EARLY_MESSAGE_LIMIT = 200;

  // Told to Python with every message: this side takes batches.
  var BATCH_VERSION = "2";

  var config = null;      // {secret, callback, load} once installed
  var closed = false;
  var started = false;    // a ready function has run in this page
  var announced = false;  // Python was told, since the last install
  var unsent = [];        // messages made before the channel was installed
  var outgoing = [];      // messages of this turn, sent together at its end
  var flushQueued = false;
  var sentHref = null;    // the URL Python last heard from this load
  var readyFunctions = [];
  var nextCallId = 1;
  // Maps without a prototype, so that no name ("__proto__",
  // "hasOwnProperty") can reach or replace a built-in member.
  var pendingCalls = newMap();  // call id -> {resolve, reject, progress: [fn]}
  var eventHandlers = newMap(); // event name -> [handler]
  var pageFunctions = newMap(); // name -> function Python may call
  var lastDelivered = 0;  // sequence number of Python's last message handled
  var originalConsole = {};

  function newMap() {
    return Object.create(null);
  }

  function channelError(name, message) {
    var error = new Error(message);
    error.name = name;
    return error;
  }

  // Lone surrogates would not survive the trip through UTF-8: escape them.
  function escapeLoneSurrogates(text) {
    return text.replace(/[\ud800-\udbff][\udc00-\udfff]|[\ud800-\udfff]/g, function (found) {
      return found.length === 2 ? found : "\\u" + found.charCodeAt(0).toString(16);
    });
  }

  function flush() {
    flushQueued = false;
    var bodies = outgoing;
    outgoing = [];
    if (!config || !bodies.length ||
        typeof host !== "object" || !host || typeof host.call_python_callback !== "function") {
      return;
    }
    // The URL goes with the first message and when it changed since.
    var href = String(global.location.href);
    var newHref = href === sentHref ? "" : href;
    sentHref = href;
    host.call_python_callback(config.callback,
                              [config.secret, config.load, newHref,
                               escapeLoneSurrogates("[" + bodies.join(",") + "]"),
                               BATCH_VERSION]);
  }

  // The messages of one turn of the page's loop go to Python in one call,
  // at the turn's end.
  function transmit(body) {
    outgoing.push(body);
    if (!flushQueued) {
      flushQueued = true;
      Promise.resolve().then(flush);
    }
  }

  // body: the message as JSON text, which never holds a raw U+0000. Before
  // the install, calls wait in full; console messages only up to a limit.
  function send(body, droppable) {
    if (closed) {
      return;
    }
    if (config) {
      transmit(body);
    } else if (!droppable || unsent.length < EARLY_MESSAGE_LIMIT) {
      unsent.push(body);
    }
  }

  function describe(value) {
    if (typeof value === "string") {
      return value;
    }
    if (value instanceof Error) {
      // V8's stack starts with "Name: message"; JavaScriptCore's does not.
      var text = String(value);
      var stack = value.stack ? String(value.stack) : "";
      return stack.indexOf(text) === 0 ? stack : stack ? text + "\n" + stack : text;
    }
    if (value !== null && typeof value === "object") {
      try {
        return JSON.stringify(value);
      } catch (ignored) {
        // An object that holds itself: its plain form will do.
      }
    }
    return String(value);
  }

  function forwardConsole(level, text, source, line) {
    send(JSON.stringify({t: "console", level: level, text: text,
                         source: source || "", line: line || 0}), true);
  }

  function reportUncaught(error, what) {
    var text = "Uncaught " + describe(error) + (what ? " (in " + what + ")" : "");
    if (originalConsole.error) {
      try {
        originalConsole.error.call(global.console, text);
      } catch (ignored) {
        // The page's own console is of no more use.
      }
    }
    forwardConsole("error", text);
  }

  function runGuarded(fn, self, args, what) {
    try {
      return fn.apply(self, args);
    } catch (error) {
      reportUncaught(error, what);
    }
    return undefined;
  }

  function wrapConsole() {
    var console = global.console;
    if (!console) {
      return;
    }
    CONSOLE_LEVELS.forEach(function (level) {
      var original = console[level];
      originalConsole[level] = typeof original === "function" ? original : null;
      console[level] = function () {
        var parts = [];
        for (var i = 0; i < arguments.length; i++) {
          parts.push(describe(arguments[i]));
        }
        if (originalConsole[level]) {
          originalConsole[level].apply(console, arguments);
        }
        forwardConsole(level, parts.join(" "));
      };
    });
  }

  function listenForUncaughtErrors() {
    if (typeof global.addEventListener !== "function") {
      return;
    }
    global.addEventListener("error", function (event) {
      var text = event.error !== undefined && event.error !== null
                 ? describe(event.error) : String(event.message);
      forwardConsole("error", "Uncaught " + text, event.filename, event.lineno);
    });
    global.addEventListener("unhandledrejection", function (event) {
      forwardConsole("error", "Uncaught (in promise) " + describe(event.reason));
    });
  }

  function announceReady() {
    send(JSON.stringify({t: "ready"}));
  }

  function runReadyFunction(fn) {
    runGuarded(fn, global, [api], "a zubrixReady function");
    started = true;
    if (!announced) {
      announced = true;
      announceReady();
    }
  }

  function settle(message) {
    var pending = pendingCalls[message.id];
    if (!pending) {
      return;
    }
    delete pendingCalls[message.id];
    if (message.ok) {
      pending.resolve(message.value);
    } else {
      pending.reject(channelError(message.error.name, message.error.message));
    }
  }

  function reportProgress(message) {
    var pending = pendingCalls[message.id];
    if (pending) {
      pending.progress.slice().forEach(function (fn) {
        runGuarded(fn, global, [message.value], "a progress function");
      });
    }
  }

  function errorFields(error) {
    if (error instanceof Error) {
      return {name: String(error.name), message: String(error.message)};
    }
    return {name: "Error", message: describe(error)};
  }

  function sendResult(seq, ok, value) {
    var body;
    try {
      body = JSON.stringify(ok ? {t: "result", seq: seq, ok: true, value: value}
                               : {t: "result", seq: seq, ok: false, error: errorFields(value)});
    } catch (error) {
      body = JSON.stringify({t: "result", seq: seq, ok: false, error: errorFields(error)});
    }
    send(body);
  }

  // Python hears the return value, or the value of the promise returned.
  function callPageFunction(message) {
    var name = message.name;
    var fn = name in pageFunctions ? pageFunctions[name]
             : Object.prototype.hasOwnProperty.call(global, name) ? global[name] : undefined;
    var value;
    if (typeof fn !== "function") {
      value = channelError("ReferenceError", "Python called " + JSON.stringify(name) +
                           ", which is no page function");
      reportUncaught(value);
      sendResult(message.seq, false, value);
      return;
    }
    try {
      value = fn.apply(global, message.args);
    } catch (error) {
      reportUncaught(error, JSON.stringify(name) + ", called from Python");
      sendResult(message.seq, false, error);
      return;
    }
    if (value !== null && (typeof value === "object" || typeof value === "function") &&
        typeof value.then === "function") {
      value.then(function (result) { sendResult(message.seq, true, result); },
                 function (error) { sendResult(message.seq, false, error); });
    } else {
      sendResult(message.seq, true, value);
    }
  }

  function dispatchEvent(name, args) {
    var handlers = (eventHandlers[name] || []).slice();
    handlers.forEach(function (handler) {
      runGuarded(handler, global, args, "a handler of " + JSON.stringify(name));
    });
  }

  // One batch from Python: answers and progress of this page's calls,
  // events and page calls (with sequence numbers, once each).
  function receiveBatch(items) {
    var delivered = false;
    for (var i = 0; i < items.length; i++) {
      var item = items[i];
      if (item.t === "answer") {
        settle(item);
      } else if (item.t === "progress") {
        reportProgress(item);
      } else if (item.seq > lastDelivered) {
        lastDelivered = item.seq;
        delivered = true;
        if (item.kind === "event") {
          dispatchEvent(item.name, item.args);
        } else {
          callPageFunction(item);
        }
      }
    }
    if (delivered) {
      send(JSON.stringify({t: "ack", seq: lastDelivered}));
    }
  }

  function rejectPendingCalls(why) {
    var calls = pendingCalls;
    pendingCalls = newMap();
    Object.keys(calls).forEach(function (id) {
      calls[id].reject(channelError("ChannelError", why));
    });
  }

  function close() {
    closed = true;
    config = null;
    api._load = null;
    rejectPendingCalls("the channel was closed");
  }

  // Python let the page go; a later attach installs the channel again, and
  // calls made meanwhile wait for it.
  function detach() {
    config = null;
    api._load = null;
    outgoing = [];
    rejectPendingCalls("the channel was detached from this page's browser");
  }

  // No other page can guess it: Python's scripts for this load check it.
  function newLoadToken() {
    var token = "";
    var words = global.crypto && global.crypto.getRandomValues
                ? global.crypto.getRandomValues(new Uint32Array(4)) : null;
    for (var i = 0; i < 4; i++) {
      token += (words ? words[i] : Math.floor(Math.random() * 4294967296)).toString(16) + ".";
    }
    return token + String(new Date().getTime());
  }

  var api = {
    _isZubrixChannel: true,

    // Calls the Python function exposed under name with the remaining
    // arguments (any JSON values); the Promise settles with its answer. It
    // also has progress(fn), which runs fn(value) for each progress report
    // of a Python Reply, and cancel(), which rejects it with an AbortError
    // and tells Python (both return the promise itself; then() returns a
    // plain promise).
    call: function (name) {
      var args = Array.prototype.slice.call(arguments, 1);
      var id = nextCallId++;
      var entry = {progress: []};
      var promise = new Promise(function (resolve, reject) {
        entry.resolve = resolve;
        entry.reject = reject;
      });
      promise.progress = function (fn) {
        entry.progress.push(fn);
        return promise;
      };
      promise.cancel = function () {
        if (pendingCalls[id] === entry) {
          delete pendingCalls[id];
          send(JSON.stringify({t: "cancel", id: id}));
          entry.reject(channelError("AbortError", "the call was cancelled"));
        }
        return promise;
      };
      if (closed) {
        entry.reject(channelError("ChannelError", "the channel was closed"));
        return promise;
      }
      var body;
      try {
        body = JSON.stringify({t: "call", id: id, name: String(name), args: args});
      } catch (error) {
        entry.reject(error);
        return promise;
      }
      pendingCalls[id] = entry;
      send(body);
      return promise;
    },

    // Subscribes handler to the events Python emits under name.
    on: function (name, handler) {
      if (!(name in eventHandlers)) {
        eventHandlers[name] = [];
      }
      eventHandlers[name].push(handler);
      return api;
    },

    off: function (name, handler) {
      if (name in eventHandlers) {
        eventHandlers[name] = eventHandlers[name].filter(function (h) { return h !== handler; });
      }
      return api;
    },

    // Makes fn callable from Python under name; Python may also call global
    // functions by their names.
    expose: function (name, fn) {
      pageFunctions[name] = fn;
      return api;
    },

    // Runs fn(zubrix) once the channel is installed (at once when it is).
    ready: function (fn) {
      if (config) {
        runReadyFunction(fn);
      } else {
        readyFunctions.push(fn);
      }
      return api;
    },

    // Start-up code installs the channel; again in the same page, it says
    // again that the page is ready, for a channel attached anew.
    _install: function (settings) {
      var early = unsent;
      if (config && config.secret === settings.secret) {
        if (started) {
          announceReady();
        }
        return;
      }
      if (config) {
        // Python has forgotten the calls it had from this page.
        rejectPendingCalls("the channel was attached anew");
      }
      config = {secret: settings.secret, callback: settings.callback, load: newLoadToken()};
      // What Python sends names the load it is for, and runs only where
      // this equals it.
      api._load = config.load;
      sentHref = null;
      closed = false;
      announced = false;
      unsent = [];
      // Python learns of the new load at once, ready functions or not.
      transmit(JSON.stringify({t: "loaded"}));
      early.forEach(transmit);
      while (readyFunctions.length) {
        runReadyFunction(readyFunctions.shift());
      }
      if (started && !announced) {
        announced = true;
        announceReady();
      }
    },

    // Python's messages: batches for this page's load, and the channel's
    // end.
    _receive: function (text) {
      var message = JSON.parse(text);
      if (message.t === "closed") {
        close();
      } else if (message.t === "detached") {
        detach();
      } else if (config && message.load === config.load && message.t === "batch") {
        receiveBatch(message.m);
      }
    }
  };

  global.zubrix = api;
  wrapConsole();
  listenForUncaughtErrors();

  var earlyReady = global.zubrixReady;
  global.zubrixReady = {push: function () {
    for (var i = 0; i < arguments.length; i++) {
      api.ready(arguments[i]);
    }
  }};
  if (earlyReady && typeof earlyReady.length === "number") {
    global.zubrixReady.push.apply(null, earlyReady);
  }
}(typeof window === "object" && window ? window : this));
