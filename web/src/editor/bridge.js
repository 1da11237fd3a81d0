// The application's bridge object "myconnector".
//
// Inside the application the object arrives through the web channel, whose
// methods answer through a callback passed as the last argument. An object
// placed on window.myconnector before the page loads is used as it is; its
// methods may answer through the callback or by returning a value (or a
// promise).

const VOID_WAIT_MS = 4000;

export async function connectBridge() {
  if (window.myconnector) return wrap(window.myconnector);
  const transport = window.qt && window.qt.webChannelTransport;
  if (transport && typeof window.QWebChannel === 'function') {
    const obj = await new Promise((resolve) => {
      // eslint-disable-next-line no-new
      new window.QWebChannel(transport, (channel) => resolve(channel.objects.myconnector || null));
    });
    if (obj) {
      window.myconnector = obj;
      return wrap(obj);
    }
  }
  return null;
}

function wrap(obj) {
  return {
    has: (name) => typeof obj[name] === 'function',
    /** Calls a method that answers with a text. */
    ask: (name, ...args) => invoke(obj, name, args, 0),
    /**
     * Calls a method without an answer. Some hosts never call back for
     * those, so the wait is bounded.
     */
    tell: (name, ...args) => invoke(obj, name, args, VOID_WAIT_MS),
  };
}

function invoke(obj, name, args, waitMs) {
  return new Promise((resolve, reject) => {
    const fn = obj[name];
    if (typeof fn !== 'function') {
      reject(new Error(`The application does not offer "${name}".`));
      return;
    }
    let done = false;
    const finish = (value) => {
      if (done) return;
      done = true;
      resolve(value === undefined || value === null ? '' : String(value));
    };
    if (waitMs > 0) setTimeout(() => finish(''), waitMs);
    try {
      const result = fn.apply(obj, [...args, finish]);
      if (result !== undefined) Promise.resolve(result).then(finish, reject);
    } catch (err) {
      reject(err);
    }
  });
}
